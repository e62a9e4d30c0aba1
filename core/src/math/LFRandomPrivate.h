// The generator the random numbers draw from.
#ifndef LFRANDOMPRIVATE_H
#define LFRANDOMPRIVATE_H

#include "LFRandom.h"

// Seeded by LFInit: the C library's rand() where that is glibc's, and glibc's
// algorithm elsewhere, so that a seed gives the same numbers on every system
// and a recording replays alike.
void _LFSeedRandom(unsigned int seed);
int _LFRandom();

#endif
