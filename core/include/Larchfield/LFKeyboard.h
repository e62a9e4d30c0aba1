// Polled key state, fed by the logic loop's event pump, indexed by the
// library's own key codes 0..136 (0 is no key).
#ifndef LFKEYBOARD_H
#define LFKEYBOARD_H

#include <SDL.h>

enum {
    LFKeyA = 1, LFKeyB, LFKeyC, LFKeyD, LFKeyE, LFKeyF, LFKeyG, LFKeyH, LFKeyI,
    LFKeyJ, LFKeyK, LFKeyL, LFKeyM, LFKeyN, LFKeyO, LFKeyP, LFKeyQ, LFKeyR,
    LFKeyS, LFKeyT, LFKeyU, LFKeyV, LFKeyW, LFKeyX, LFKeyY, LFKeyZ = 26,
    LFKeyReturn = 53,
    LFKeyTab = 54,
    LFKeyDelete = 55,
    LFKeyBackspace = 56,
    LFKeyQuote = 57,
    LFKeyComma = 58,
    LFKeyMinus = 59,
    LFKeyPeriod = 60,
    LFKeySlash = 61,
    LFKeyBackslash = 62,
    LFKeyColon = 63,
    LFKeySemicolon = 64,
    LFKeyLeftParen = 65,
    LFKeyRightParen = 66,
    LFKeyLeftBracket = 67,
    LFKeyRightBracket = 68,
    LFKeyEscape = 69,
    LFKeyBackquote = 70,
    LFKey0 = 71, LFKey1, LFKey2, LFKey3, LFKey4, LFKey5 = 76,
    LFKey6 = 78, LFKey7, LFKey8, LFKey9 = 81,
    LFKeyPad0 = 82, LFKeyPad1, LFKeyPad2, LFKeyPad3, LFKeyPad4, LFKeyPad5,
    LFKeyPad6, LFKeyPad7, LFKeyPad8, LFKeyPad9 = 91,
    LFKeyPadPeriod = 92,
    LFKeyPadDivide = 93,
    LFKeyPadMultiply = 94,
    LFKeyPadMinus = 95,
    LFKeyPadPlus = 96,
    LFKeyPadEnter = 97,
    LFKeyPadEquals = 98,
    LFKeyUp = 99,
    LFKeyRight = 100,
    LFKeyLeft = 101,
    LFKeyDown = 102,
    LFKeyHome = 103,
    LFKeyEnd = 104,
    LFKeyPageUp = 105,
    LFKeyPageDown = 106,
    LFKeyF1 = 107, LFKeyF2, LFKeyF3, LFKeyF4, LFKeyF5, LFKeyF6, LFKeyF7,
    LFKeyF8, LFKeyF9, LFKeyF10, LFKeyF11, LFKeyF12, LFKeyF13, LFKeyF14,
    LFKeyF15 = 121,
    LFKeyLeftShift = 122,
    LFKeyRightShift = 123,
    LFKeyLeftAlt = 124,
    LFKeyRightAlt = 125,
    LFKeyNumLock = 126,
    LFKeyCapsLock = 127,
    LFKeyScrollLock = 128,
    LFKeyLeftSuper = 129,
    LFKeyRightSuper = 130,
    LFKeyRightWinkey = 131,
    LFKeyLeftWinkey = 132,
    LFKeySpace = 133,
    LFKeyEquals = 134,
    LFKeyLeftControl = 135,
    LFKeyRightControl = 136
};

// Releases every key and latch (for example after a modal screen).
void LFUnsetKeys();

// -1 while the key is held, else 0.
int LFKey(int key);
// With once non-zero: -1 only on the first query of each press.
int LFKey(int key, int once);
// -1 on the first query of a press, then again on every query once the key
// has been held for 30 logic cycles.
int LFKeyWithDelayedRepeat(int key);
// The lowest held key code, or 0.
int LFKeyPressed();
// The key's display name; "Unknown" for codes without one.
const char* LFKeyToString(int key);

#endif
