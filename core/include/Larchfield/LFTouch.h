// Polled touch state, fed by the logic loop's event pump: whether a finger is
// down and where the last finger event was.
#ifndef LFTOUCH_H
#define LFTOUCH_H

#include "LF2DPrimitives.h"

// Position of the last finger down or motion event, in pixels of the library
// window it was on. Note: a finger on a window the library did not create
// leaves it unchanged, and lifting the finger keeps it.
extern int LFTouchX;
extern int LFTouchY;
extern LFPoint LFTouchPoint;

// -1 while a finger is down, else 0.
int LFFingerDown();

#endif
