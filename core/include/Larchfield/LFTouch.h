// Polled touch state, fed by the logic loop's event pump.
#ifndef LFTOUCH_H
#define LFTOUCH_H

#include "LF2DPrimitives.h"

// Position of the last finger event, in window pixels.
extern int LFTouchX;
extern int LFTouchY;
extern LFPoint LFTouchPoint;

// Internal: the event pump's entry point.
void _LFSetTouching(int touching);

#endif
