// Random numbers from the standard generator, which LFInit seeds.
#ifndef LFRANDOM_H
#define LFRANDOM_H

// An int from low to high inclusive; 0 without drawing when low > high.
int LFRandomize(int low, int high);
// A float built from the decimal digits of the bounds (two draws); 0 without
// drawing when low > high. Note: the result is not confined to [low, high].
float LFRandomizef(float low, float high);

// The generator both draw from, which LFInit seeds: the C library's rand()
// where that is glibc's, and glibc's algorithm elsewhere, so that a seed gives
// the same numbers on every system and a recording replays alike.
void _LFSeedRandom(unsigned int seed);
int _LFRandom();

#endif
