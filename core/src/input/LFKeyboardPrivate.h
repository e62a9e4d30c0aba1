// The key tables and the setters the event pump feeds them through.
#ifndef LFKEYBOARDPRIVATE_H
#define LFKEYBOARDPRIVATE_H

#include "LFKeyboard.h"

enum { _LFKeyCount = 137 };

// Held (-1) or released (0), the press latch, the logic time of the last
// latching query, and the text-entry latch, by key code.
extern int _LFKeys[_LFKeyCount];
extern int _LFKeysDown[_LFKeyCount];
extern Uint32 _LFKeysDownTime[_LFKeyCount];
extern int _LFKeysTextEntryDown[_LFKeyCount];

// Resets the four key tables.
void _LFInitKeys();

// The event pump's entry points, by SDL key symbol.
void _LFSetKeyToValue(int sdlKey, int value);
void _LFSetKey(int sdlKey);
void _LFUnsetKey(int sdlKey);

// LFKey(key, once) with a latch of its own, for text entry.
int _LFKeyTextEntry(int key, int once);

#endif
