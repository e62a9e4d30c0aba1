// Polled mouse state, fed by the logic loop's event pump: pointer position,
// the left, right and middle buttons, and which ways the wheel turned during
// the current frame's ticks.
#ifndef LFMOUSE_H
#define LFMOUSE_H

#include <SDL.h>

#include "LF2DPrimitives.h"

// Pointer position in window pixels, and the motion, of the last motion event.
// Note: the motion is not reset between frames; it keeps the last event's.
extern int LFMouseX;
extern int LFMouseY;
extern LFPoint LFMousePoint;
extern int LFMouseXRelative;
extern int LFMouseYRelative;
extern LFPoint LFMousePointRelative;

// -1 or 0 for index 0 left button, 1 right button, 2 middle button (held),
// 3 wheel down, 4 wheel up, 5 wheel left, 6 wheel right (turned during this
// frame's ticks); 0 for any other index.
int LFMouse(int button);
// The pointer position on the desktop, in screen pixels.
LFPoint LFMousePointAbsolute();
// Shows (non-zero) or hides the cursor; returns what SDL_ShowCursor returns
// (negative on failure, with the reason in SDL_GetError()).
int LFShowMouse(int show);

#endif
