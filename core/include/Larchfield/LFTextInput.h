// Typed text: the characters the keyboard layout and input method make of
// the keys, as UTF-8, for names and chat rather than game controls.
#ifndef LFTEXTINPUT_H
#define LFTEXTINPUT_H

// Starts taking typed text (on platforms with an on-screen keyboard, shows
// it). Off until called.
void LFStartTextInput();
// Stops taking typed text; LFTextTyped() is empty from the next tick on.
void LFStopTextInput();
// The text typed since the previous tick (SDL's text input events, which the
// event pump records and replays like the others), empty when none was or
// text input is off. Valid until the next tick; cut at 1023 bytes a tick, on
// a character boundary.
const char* LFTextTyped();

#endif
