// Conversions and sums that stay defined for any input.
#ifndef LFMATHUTILITIESPRIVATE_H
#define LFMATHUTILITIESPRIVATE_H

#include "LFMathUtilities.h"

// Truncates toward zero, pinning NaN to 0 and values beyond the int
// range to INT_MIN or INT_MAX, where a plain conversion is undefined.
int _LFTruncate(float value);
// The sum a + b, pinned to INT_MIN or INT_MAX where the sum would overflow;
// pixel coordinates built from truncated ones add up through it.
int _LFAddSaturated(int a, int b);

#endif
