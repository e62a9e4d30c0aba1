// The event pump the logic loop runs at the start of every tick.
#ifndef LFEVENTPUMPPRIVATE_H
#define LFEVENTPUMPPRIVATE_H

#include "LFLogicTiming.h"  // LFSetWindowResizedCallback

// Hands every queued event (or, in a replay, every recorded one) to the
// module it concerns, and notes its window id in LFCurrentEventWindowID.
void _LFPumpEvents();

#endif
