// Polled keyboard state: the event pump records which keys are held, and the
// game's per-tick queries answer "held", "just pressed" and "held long enough
// to repeat", all indexed by the library's own key codes.
#include "input/LFKeyboardPrivate.h"
#include "timing/LFLogicTimingPrivate.h"  // the logic loop's time, for repeats

// Key state: _LFKeys is written by the event pump; the latches and down times
// are written by the queries that report a press.
int _LFKeys[_LFKeyCount];
int _LFKeysDown[_LFKeyCount];
Uint32 _LFKeysDownTime[_LFKeyCount];
int _LFKeysTextEntryDown[_LFKeyCount];

// Down time of a key whose press has not been reported.
static const Uint32 _LFKeyNeverDown = 0x7fffffff;
// Logic cycles a key must be held before LFKeyWithDelayedRepeat repeats.
static const Uint32 _LFKeyRepeatDelayCycles = 30;

// Display names by key code; null rows have no key and read "Unknown".
static const char* const _LFKeyNames[_LFKeyCount] = {
    NULL,
    // 1..26: letters
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
    "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",
    // 27..52: unassigned
    NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
    NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
    // 53..70: editing keys and punctuation (the semicolon shares the colon's name)
    "Return", "Tab", "Delete", "Backspace", "\"", ",", "-", ".", "/", "\\",
    ":", ":", "(", ")", "[", "]", "Escape", "`",
    // 71..81: top-row digits; 77 has no key
    "0", "1", "2", "3", "4", "5", NULL, "6", "7", "8", "9",
    // 82..98: keypad; its digits share the top-row names
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
    "Num Pad .", "Num Pad /", "Num Pad *", "Num Pad -", "Num Pad +",
    "Num Pad Enter", "Num Pad =",
    // 99..106: navigation
    "Up", "Right", "Left", "Down", "Home", "End", "Page Up", "Page Down",
    // 107..121: function keys
    "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
    "F13", "F14", "F15",
    // 122..136: modifiers, locks, space and equals
    "Left Shift", "Right Shift", "Left Alt", "Right Alt", "Num Lock",
    "Caps Lock", "Scroll Lock", "Left Super", "Right Super", "Right Winkey",
    "Left Winkey", "Space", "=", "Left Control", "Right Control",
};

// Maps the SDL key symbols of contiguous runs (letters, digits, keypad
// digits, function keys) to key codes; 0 when the symbol is in none of them.
static int _LFKeyCodeForSDLKeyRun(int sdlKey)
{
    if (sdlKey >= SDLK_a && sdlKey <= SDLK_z)
        return LFKeyA + (sdlKey - SDLK_a);
    if (sdlKey >= SDLK_0 && sdlKey <= SDLK_5)
        return LFKey0 + (sdlKey - SDLK_0);
    if (sdlKey >= SDLK_6 && sdlKey <= SDLK_9)
        return LFKey6 + (sdlKey - SDLK_6);
    if (sdlKey >= SDLK_KP_1 && sdlKey <= SDLK_KP_9)
        return LFKeyPad1 + (sdlKey - SDLK_KP_1);
    if (sdlKey >= SDLK_F1 && sdlKey <= SDLK_F12)
        return LFKeyF1 + (sdlKey - SDLK_F1);
    if (sdlKey >= SDLK_F13 && sdlKey <= SDLK_F15)
        return LFKeyF13 + (sdlKey - SDLK_F13);
    return 0;
}

// Maps an SDL key symbol to a key code; 0 for symbols the library ignores.
static int _LFKeyCodeForSDLKey(int sdlKey)
{
    switch (sdlKey) {
    case SDLK_RETURN: return LFKeyReturn;
    case SDLK_TAB: return LFKeyTab;
    case SDLK_DELETE: return LFKeyDelete;
    case SDLK_BACKSPACE: return LFKeyBackspace;
    case SDLK_QUOTE: return LFKeyQuote;
    case SDLK_COMMA: return LFKeyComma;
    case SDLK_MINUS: return LFKeyMinus;
    case SDLK_PERIOD: return LFKeyPeriod;
    case SDLK_SLASH: return LFKeySlash;
    case SDLK_BACKSLASH: return LFKeyBackslash;
    case SDLK_COLON: return LFKeyColon;
    case SDLK_SEMICOLON: return LFKeySemicolon;
    case SDLK_LEFTPAREN: return LFKeyLeftParen;
    case SDLK_RIGHTPAREN: return LFKeyRightParen;
    case SDLK_LEFTBRACKET: return LFKeyLeftBracket;
    case SDLK_RIGHTBRACKET: return LFKeyRightBracket;
    case SDLK_ESCAPE: return LFKeyEscape;
    case SDLK_BACKQUOTE: return LFKeyBackquote;
    case SDLK_KP_0: return LFKeyPad0;
    case SDLK_KP_PERIOD: return LFKeyPadPeriod;
    case SDLK_KP_DIVIDE: return LFKeyPadDivide;
    case SDLK_KP_MULTIPLY: return LFKeyPadMultiply;
    case SDLK_KP_MINUS: return LFKeyPadMinus;
    case SDLK_KP_PLUS: return LFKeyPadPlus;
    case SDLK_KP_ENTER: return LFKeyPadEnter;
    case SDLK_KP_EQUALS: return LFKeyPadEquals;
    case SDLK_UP: return LFKeyUp;
    case SDLK_RIGHT: return LFKeyRight;
    case SDLK_LEFT: return LFKeyLeft;
    case SDLK_DOWN: return LFKeyDown;
    case SDLK_HOME: return LFKeyHome;
    case SDLK_END: return LFKeyEnd;
    case SDLK_PAGEUP: return LFKeyPageUp;
    case SDLK_PAGEDOWN: return LFKeyPageDown;
    case SDLK_LSHIFT: return LFKeyLeftShift;
    case SDLK_RSHIFT: return LFKeyRightShift;
    case SDLK_LALT: return LFKeyLeftAlt;
    case SDLK_RALT: return LFKeyRightAlt;
    case SDLK_NUMLOCKCLEAR: return LFKeyNumLock;
    case SDLK_CAPSLOCK: return LFKeyCapsLock;
    case SDLK_SCROLLLOCK: return LFKeyScrollLock;
    case SDLK_RGUI: return LFKeyRightWinkey;
    case SDLK_LGUI: return LFKeyLeftWinkey;
    case SDLK_SPACE: return LFKeySpace;
    case SDLK_EQUALS: return LFKeyEquals;
    case SDLK_LCTRL: return LFKeyLeftControl;
    case SDLK_RCTRL: return LFKeyRightControl;
    default: return _LFKeyCodeForSDLKeyRun(sdlKey);
    }
}

// Forgets a key's press: its next reporting query sees a new press.
static void _LFClearPress(int key, int* latch)
{
    latch[key] = 0;
    _LFKeysDownTime[key] = _LFKeyNeverDown;
}

// True once the key has been held for the repeat delay since its press was
// first reported; unsigned arithmetic absorbs a wrap of the logic clock.
static int _LFKeyRepeatDue(int key)
{
    Uint32 heldCycles = (_LFLogicCurrentTime - _LFKeysDownTime[key]) / _LFLogicTimeRequiredPerLogicCycle;
    return heldCycles >= _LFKeyRepeatDelayCycles ? -1 : 0;
}

// The one query behind every public form: held, first report of a press on
// the given latch, or (with allowRepeat) repeating after the delay.
static int _LFKey(int key, int once, int* latch, int allowRepeat)
{
    if (key <= 0 || key >= _LFKeyCount)
        return 0;
    if (once && latch[key])
        return allowRepeat ? _LFKeyRepeatDue(key) : 0;
    if (!_LFKeys[key]) {
        _LFClearPress(key, latch);
        return 0;
    }
    if (once) {
        latch[key] = -1;
        _LFKeysDownTime[key] = _LFLogicCurrentTime;
    }
    return -1;
}

void _LFInitKeys()
{
    for (int key = 0; key < _LFKeyCount; key++) {
        _LFKeys[key] = 0;
        _LFKeysDown[key] = 0;
        _LFKeysDownTime[key] = _LFKeyNeverDown;
        _LFKeysTextEntryDown[key] = 0;
    }
}

void LFUnsetKeys()
{
    _LFInitKeys();
}

void _LFSetKeyToValue(int sdlKey, int value)
{
    int key = _LFKeyCodeForSDLKey(sdlKey);
    if (key)
        _LFKeys[key] = value;
}

void _LFSetKey(int sdlKey)
{
    _LFSetKeyToValue(sdlKey, -1);
}

// Note: any key-up, even of an unmapped symbol, clears the latches of every
// key that is not held, so a key released earlier without its own key-up
// reported also starts afresh.
void _LFUnsetKey(int sdlKey)
{
    _LFSetKeyToValue(sdlKey, 0);
    for (int key = 0; key < _LFKeyCount; key++) {
        if (_LFKeys[key])
            continue;
        _LFKeysTextEntryDown[key] = 0;
        _LFClearPress(key, _LFKeysDown);
    }
}

int LFKey(int key)
{
    return LFKey(key, 0);
}

int LFKey(int key, int once)
{
    return _LFKey(key, once, _LFKeysDown, 0);
}

int LFKeyWithDelayedRepeat(int key)
{
    return _LFKey(key, -1, _LFKeysDown, -1);
}

int _LFKeyTextEntry(int key, int once)
{
    return _LFKey(key, once, _LFKeysTextEntryDown, 0);
}

int LFKeyPressed()
{
    for (int key = 0; key < _LFKeyCount; key++) {
        if (_LFKeys[key])
            return key;
    }
    return 0;
}

const char* LFKeyToString(int key)
{
    if (key < 0 || key >= _LFKeyCount || !_LFKeyNames[key])
        return "Unknown";
    return _LFKeyNames[key];
}
