// Random numbers from the library's generator, which LFInit seeds.
#ifndef LFRANDOM_H
#define LFRANDOM_H

// An int from low to high inclusive; 0 without drawing when low > high.
int LFRandomize(int low, int high);
// A float built from the decimal digits of the bounds (two draws); 0 without
// drawing when low > high. Note: the result is not confined to [low, high].
float LFRandomizef(float low, float high);

#endif
