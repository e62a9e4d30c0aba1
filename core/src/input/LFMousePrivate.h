// The mouse buttons' flags and the setters the event pump feeds them through.
#ifndef LFMOUSEPRIVATE_H
#define LFMOUSEPRIVATE_H

#include <SDL.h>

#include "LFMouse.h"

// -1 while the button is held, else 0.
extern int _LFMouseButtonLeft;
extern int _LFMouseButtonRight;
extern int _LFMouseButtonMiddle;
// -1 when the wheel turned that way during the frame's ticks;
// LFPostLogicLoop clears them.
extern int _LFMouseButtonWheelUp;
extern int _LFMouseButtonWheelDown;
extern int _LFMouseButtonWheelLeft;
extern int _LFMouseButtonWheelRight;

// The event pump's entry points. Button events set or clear the
// left, right and middle flags (other buttons are ignored); wheel events only
// set flags, one or two per event.
void _LFSetMouse(SDL_MouseButtonEvent event);
void _LFSetMouseWheel(SDL_MouseWheelEvent event);
// Motion events set the pointer position and motion.
void _LFSetMouseMotion(SDL_MouseMotionEvent event);
// Clears the wheel flags (LFPostLogicLoop, at the end of the frame's ticks).
void _LFClearMouseWheel();

#endif
