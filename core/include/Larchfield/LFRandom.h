// Random numbers from the library's generator, which LFInit seeds.
#ifndef LFRANDOM_H
#define LFRANDOM_H

// An int from low to high inclusive; 0 without drawing when low > high.
int LFRandomize(int low, int high);
// A float uniform over [low, high], bounds included (one draw); 0 without
// drawing when low > high. This is the call for a random float.
float LFRandomFloat(float low, float high);
// Kept for the programs whose look depends on it; new code uses
// LFRandomFloat. A float built from the decimal digits of the bounds (two
// draws); 0 without drawing when low > high.
// Note: the result is not confined to [low, high] (LFRandomizef(-1.5, 1.5)
// falls outside four times in ten), and takes few distinct values.
float LFRandomizef(float low, float high);

#endif
