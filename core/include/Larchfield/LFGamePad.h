// Polled state of the first joystick, fed by the logic loop's event pump.
#ifndef LFGAMEPAD_H
#define LFGAMEPAD_H

#include <SDL.h>

// The open joystick, or null.
extern SDL_Joystick* _LFGamePad;

// Internal: the event pump's entry points.
void _LFSetAxis(int axis, int value);
void _LFSetHat(int value);
void _LFSetGamePadButton(int button);
void _LFUnsetGamePadButton(int button);

#endif
