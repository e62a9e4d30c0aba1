// The touch flag and the setters the event pump feeds it through.
#ifndef LFTOUCHPRIVATE_H
#define LFTOUCHPRIVATE_H

#include "LFTouch.h"

// -1 while a finger is down, else 0.
extern int _LFTouching;

// The event pump's entry points: whether a finger is down, and where a
// finger event was, from its position in 0..1 across a window of windowSize.
void _LFSetTouching(int touching);
void _LFSetTouchPosition(float x, float y, LFSize windowSize);

#endif
