// The logic loop's state, in milliseconds of the library's clock: the input
// modules read the current time and the cycle for their repeat timing.
#ifndef LFLOGICTIMINGPRIVATE_H
#define LFLOGICTIMINGPRIVATE_H

#include "LFLogicTiming.h"

// Cycles per second, and milliseconds per cycle.
extern Uint32 _LFLogicSpeed;
extern Uint32 _LFLogicTimeRequiredPerLogicCycle;
// The clock read at the start of this frame and of the last one.
extern Uint32 _LFLogicCurrentTime;
extern Uint32 _LFLogicLastTime;
// Time not yet spent on cycles, and the cycles still due this frame.
extern Uint32 _LFLogicTimeElapsed;
extern Uint32 _LFLogicCurrentCycles;

#endif
