// The game pad's tables and the setters the event pump feeds them through.
#ifndef LFGAMEPADPRIVATE_H
#define LFGAMEPADPRIVATE_H

#include "LFGamePad.h"

enum { _LFGamePadButtonCount = 16, _LFGamePadAxisCount = 8 };

// The open joystick, or null.
extern SDL_Joystick* _LFGamePad;
// The tables: held (-1) or released (0), the press latch, and the logic
// time of the last latching query, per button.
extern int _LFGamePadButtons[_LFGamePadButtonCount];
extern int _LFGamePadButtonsDown[_LFGamePadButtonCount];
extern Uint32 _LFGamePadButtonsDownTime[_LFGamePadButtonCount];
// The hat's SDL_HAT_* mask and each axis's last value as SDL reports it.
extern int _LFGamePadHatPosition;
extern int _LFGamePadAxes[_LFGamePadAxisCount];

// The event pump's entry points; indexes outside the tables are ignored.
void _LFSetAxis(int axis, int value);
void _LFSetHat(int value);
void _LFSetGamePadButton(int button);
// Releases the button and clears its latch.
void _LFUnsetGamePadButton(int button);

#endif
