// Random numbers for the library and the game: ranges of ints and floats
// built digit by digit, all drawn from the library's generator, which LFInit seeds.
#include <math.h>    // fabsf, truncf
#include <stdint.h>  // int32_t, int64_t, uint32_t
#include <stdlib.h>  // rand, srand

#include "LFRandom.h"
#include "math/LFMathUtilitiesPrivate.h"
#include "math/LFRandomPrivate.h"

// 2^31, the first float past the int range.
static const float _sLFIntRangeLimit = 2147483648.0f;

#ifdef __GLIBC__
void _LFSeedRandom(unsigned int seed)
{
    srand(seed);
}

int _LFRandom()
{
    return rand();
}
#else
// glibc's rand(): an additive feedback generator over 31 words,
// r[i] = r[i - 31] + r[i - 3], each result the sum less its lowest bit. Other C
// libraries (Windows' among them) have generators of their own, some with a
// range of only 15 bits.
static const int _LFRandomDegree = 31;
static const int _LFRandomSeparation = 3;
static int32_t _LFRandomState[_LFRandomDegree];
static int _LFRandomFront = _LFRandomSeparation;
static int _LFRandomRear = 0;
static int _LFRandomSeeded = 0;

int _LFRandom()
{
    // Unseeded, it runs as glibc's does before its first srand().
    if (!_LFRandomSeeded)
        _LFSeedRandom(1);
    uint32_t sum = (uint32_t)_LFRandomState[_LFRandomFront] + (uint32_t)_LFRandomState[_LFRandomRear];
    _LFRandomState[_LFRandomFront] = (int32_t)sum;
    _LFRandomFront = (_LFRandomFront + 1) % _LFRandomDegree;
    _LFRandomRear = (_LFRandomRear + 1) % _LFRandomDegree;
    return (int)(sum >> 1);
}

// The words are filled by 16807 * r (mod 2^31 - 1) (Schrage's method, in
// glibc's 32-bit arithmetic, so a seed past 2^31 starts negative); the first
// 310 results are thrown away.
void _LFSeedRandom(unsigned int seed)
{
    if (seed == 0)
        seed = 1;
    int32_t word = (int32_t)seed;
    _LFRandomState[0] = word;
    for (int i = 1; i < _LFRandomDegree; i++) {
        word = (int32_t)(16807 * (int64_t)(word % 127773) - 2836 * (int64_t)(word / 127773));
        if (word < 0)
            word += 2147483647;
        _LFRandomState[i] = word;
    }
    _LFRandomFront = _LFRandomSeparation;
    _LFRandomRear = 0;
    _LFRandomSeeded = -1;
    for (int i = 0; i < 10 * _LFRandomDegree; i++)
        _LFRandom();
}
#endif

// rand() % divisor for any non-zero divisor. rand() is never negative, so the
// remainder takes the divisor's magnitude whatever its sign.
static long long _LFRandRemainder(long long divisor)
{
    return _LFRandom() % (divisor < 0 ? -divisor : divisor);
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
