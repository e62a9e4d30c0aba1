// Polled mouse state, fed by the logic loop's event pump.
#ifndef LFMOUSE_H
#define LFMOUSE_H

#include <SDL.h>

#include "LF2DPrimitives.h"

// Pointer position and last motion, in window pixels.
extern int LFMouseX;
extern int LFMouseY;
extern LFPoint LFMousePoint;
extern int LFMouseXRelative;
extern int LFMouseYRelative;
extern LFPoint LFMousePointRelative;

// Wheel flags: -1 when the wheel turned that way during the frame's ticks.
extern int _LFMouseButtonWheelUp;
extern int _LFMouseButtonWheelDown;
extern int _LFMouseButtonWheelLeft;
extern int _LFMouseButtonWheelRight;

// Internal: the event pump's entry points.
void _LFSetMouse(SDL_MouseButtonEvent event);
void _LFSetMouseWheel(SDL_MouseWheelEvent event);

#endif
