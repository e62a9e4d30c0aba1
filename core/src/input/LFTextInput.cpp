// Typed text, fed by the event pump's text input events and emptied at the
// start of every pump.
#include <string.h>  // strlen, memcpy

#include <SDL.h>

#include "input/LFTextInputPrivate.h"

// On from LFStartTextInput to LFStopTextInput; the text of the tick's events.
static int _LFTextInputOn = 0;
static char _LFTypedText[1024] = "";
static size_t _LFTypedLength = 0;

void LFStartTextInput()
{
    SDL_StartTextInput();
    _LFTextInputOn = -1;
}

void LFStopTextInput()
{
    SDL_StopTextInput();
    _LFTextInputOn = 0;
}

const char* LFTextTyped()
{
    return _LFTypedText;
}

void _LFClearTypedText()
{
    _LFTypedText[0] = '\0';
    _LFTypedLength = 0;
}

// An event holds whole characters: one that does not fit is left out whole,
// and so are those after it (the length is then taken as full).
void _LFAddTypedText(const char* text)
{
    if (!_LFTextInputOn)
        return;
    size_t length = strlen(text);
    if (_LFTypedLength + length >= sizeof _LFTypedText) {
        _LFTypedLength = sizeof _LFTypedText;
        return;
    }
    memcpy(_LFTypedText + _LFTypedLength, text, length + 1);
    _LFTypedLength += length;
}
