// Small numeric helpers.
#ifndef LFMATHUTILITIES_H
#define LFMATHUTILITIES_H

// The smallest power of two not below value; 1 for values up to 1. Values
// above 2^30 have no int power of two: they give 2^30.
int LFNearestPowerOfTwo(int value);

// first if it is smaller (larger), else second; ties and NaN give second.
float LFMinf(float first, float second);
int LFMini(int first, int second);
float LFMaxf(float first, float second);
int LFMaxi(int first, int second);

// Below low becomes low, else above high becomes high.
void LFClampf(float* value, float low, float high);
void LFClampi(int* value, int low, int high);

#endif
