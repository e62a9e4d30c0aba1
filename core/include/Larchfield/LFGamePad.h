// Polled state of one joystick (the first SDL finds), fed by the logic loop's
// event pump: buttons 0..15 with a press latch and delayed repeat like the
// keyboard's, axes 0..7 and one hat. Open it with LFInitGamePad after LFInit.
#ifndef LFGAMEPAD_H
#define LFGAMEPAD_H

#include <SDL.h>

// Opens joystick 0 (closing the open pad first) and releases every button.
// -1 when a pad is open afterwards; 0 when SDL reports no joystick. Sets no
// error text. Note: axes and hat keep their values; call again to pick up a
// pad plugged in later.
int LFInitGamePad();
// Closes the pad, if open.
void LFDeInitGamePad();

// -1 while the button is held, else 0 (also for buttons outside 0..15).
int LFGamePadButton(int button);
// With once non-zero: -1 only on the first query that sees each press.
// Note: unlike LFKey, a plain query never clears the latch; only the
// button's release does.
int LFGamePadButton(int button, int once);
// -1 on the first query that sees a press, then again on every query once 30
// logic cycles have passed since that query.
int LFGamePadButtonWithDelayedRepeat(int button);
// The lowest held button, or -1 when none is held.
int LFGamePadPressedButton();
// Non-zero when the hat points that way (an SDL_HAT_* mask; diagonals count
// for both of their directions).
int LFGamePadHat(int direction);
// The axis's last value, -32768..32767; 0 for axes outside 0..7. Axes 0 and 1
// are the left stick's x and y, 2 and 3 the right stick's, 4 and 5 the left
// and right triggers.
int LFGamePadAxis(int axis);

// Stick directions (stick 0 left, non-zero right) and triggers: 1 when the
// axis is pushed beyond 16383 that way, else 0.
int LFGamePadAxisLeft(int stick);
int LFGamePadAxisRight(int stick);
int LFGamePadAxisUp(int stick);
int LFGamePadAxisDown(int stick);
int LFGamePadLeftTrigger();
int LFGamePadRightTrigger();

// "Button 1".."Button 16" for buttons 0..15, else "Unknown" (constant strings).
const char* LFGamePadButtonToString(int button);

#endif
