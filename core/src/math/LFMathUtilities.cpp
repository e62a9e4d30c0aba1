// Small numeric helpers: texture-friendly powers of two, minimum, maximum
// and clamp for floats and ints, and a truncation that is never undefined.
#include <limits.h>  // INT_MAX, INT_MIN

#include "math/LFMathUtilitiesPrivate.h"

// The largest power of two an int can hold.
static const int _sLFLargestPowerOfTwo = 1 << 30;

int LFNearestPowerOfTwo(int value)
{
    if (value > _sLFLargestPowerOfTwo)
        return _sLFLargestPowerOfTwo;
    int retValue = 1;
    while (retValue < value)
        retValue *= 2;
    return retValue;
}

float LFMinf(float first, float second)
{
    return first < second ? first : second;
}

int LFMini(int first, int second)
{
    return first < second ? first : second;
}

float LFMaxf(float first, float second)
{
    return first > second ? first : second;
}

int LFMaxi(int first, int second)
{
    return first > second ? first : second;
}

// Note: the low bound is tested first, so it wins when low > high.
void LFClampf(float* value, float low, float high)
{
    if (low > *value)
        *value = low;
    else if (*value > high)
        *value = high;
}

void LFClampi(int* value, int low, int high)
{
    if (low > *value)
        *value = low;
    else if (*value > high)
        *value = high;
}

int _LFTruncate(float value)
{
    if (value != value)
        return 0;
    if (value >= 2147483648.0f)
        return INT_MAX;
    if (value < -2147483648.0f)
        return INT_MIN;
    return (int)value;
}

int _LFAddSaturated(int a, int b)
{
    long long sum = (long long)a + b;
    if (sum > INT_MAX)
        return INT_MAX;
    return sum < INT_MIN ? INT_MIN : (int)sum;
}
