// Random numbers for the library and the game: ranges of ints and floats
// built digit by digit, all drawn from the standard generator LFInit seeds.
#include <math.h>    // fabsf, truncf
#include <stdlib.h>  // rand

#include "LFRandom.h"
#include "math/LFMathUtilitiesPrivate.h"

// 2^31, the first float past the int range.
static const float _sLFIntRangeLimit = 2147483648.0f;

// rand() % divisor for any non-zero divisor. rand() is never negative, so the
// remainder takes the divisor's magnitude whatever its sign.
static long long _LFRandRemainder(long long divisor)
{
    return rand() % (divisor < 0 ? -divisor : divisor);
}

// Cuts a bound to four decimals. truncf agrees with truncating through an
// int wherever an int can hold the value, and stays defined beyond.
static float _LFCutToFourDecimals(float bound)
{
    const float significantDigits = 10000;
    return truncf(bound * significantDigits) / significantDigits;
}

// The decimal digits after the point as a whole number (0.25 gives 25,
// 0.8 gives 8); a fraction with a leading zero digit stays below one.
// truncf rather than the int part, so bounds past the int range have no digits.
static float _LFFractionDigits(float bound)
{
    float digits = (bound - truncf(bound)) * 10;
    while (_LFTruncate(digits) % 10 != 0) {
        // Note: some bounds (0.12) never reach a multiple of ten in single
        // precision, so the run is cut where the int range ends.
        if (!(fabsf(digits * 10) < _sLFIntRangeLimit))
            break;
        digits *= 10;
    }
    return digits / 10;
}

// Turns drawn digits back into a fraction: 7 gives 0.7, 57 gives 0.57, and
// 1, 10 and 100 all give 1.
static float _LFDigitsToFraction(int digits)
{
    float fraction = (float)digits;
    while (fraction > 1.0)
        fraction = (float)(fraction * 0.1);
    return fraction;
}

// Note: high - low + 1 is taken in 64 bits so that wide ranges cannot
// overflow; only the range of rand() limits which values come out.
int LFRandomize(int low, int high)
{
    if (low > high)
        return 0;
    long long range = (long long)high - low + 1;
    return (int)(low + _LFRandRemainder(range));
}

float LFRandomizef(float low, float high)
{
    if (low > high)
        return 0;
    low = _LFCutToFourDecimals(low);
    high = _LFCutToFourDecimals(high);

    int lowIntPart = _LFTruncate(low);
    int highIntPart = _LFTruncate(high);
    long long intRange = (long long)highIntPart + 1 - lowIntPart;
    int randomizedIntPart = (int)(lowIntPart + _LFRandRemainder(intRange));

    float lowFloatPart = _LFFractionDigits(low);
    float highFloatPart = _LFFractionDigits(high);
    // Both digit runs stay below 2^31 / 10, so this cannot overflow.
    int rander = _LFTruncate(highFloatPart) + 1 - _LFTruncate(lowFloatPart);
    if (rander == 0)
        rander = 1;
    int randomizedFloatPart = _LFTruncate(lowFloatPart + (float)_LFRandRemainder(rander));

    return (float)randomizedIntPart + _LFDigitsToFraction(randomizedFloatPart);
}
