// The clipboard through SDL, its text recorded and replayed as values read
// from outside.
#include <limits.h>  // INT_MAX

#include <string>

#include <SDL.h>

#include "LFClipboard.h"
#include "record/LFRecordPrivate.h"
#include "string/LFStringPrivate.h"
#include "system/LFApplicationPrivate.h"

// Passes text through a recorded run as its length and then its bytes, four
// to a value; a replay reads them back instead. Once a replay has stopped,
// the bytes past the real text are not asked for.
static void _LFRecordText(std::string& text)
{
    size_t size = text.size() < INT_MAX ? text.size() : INT_MAX;
    int length = _LFRecordValue(_LFRecordClipboardLength, (int)size);
    std::string recorded;
    for (int i = 0; i < length && ((size_t)i < size || _LFRecordReplaying()); i += 4) {
        Uint32 packed = 0;
        for (int b = 0; b < 4; b++)
            packed |= (Uint32)(Uint8)((size_t)(i + b) < size ? text[i + b] : 0) << (8 * b);
        packed = (Uint32)_LFRecordValue(_LFRecordClipboardBytes, (int)packed);
        for (int b = 0; b < 4 && i + b < length; b++)
            recorded += (char)(packed >> (8 * b));
    }
    text.swap(recorded);
}

int LFSetClipboardText(const char* text)
{
    int set = SDL_SetClipboardText(text ? text : "") == 0;
    if (!set)
        _LFSetError("Unable to set the clipboard text: %s", SDL_GetError());
    return _LFRecordValue(_LFRecordClipboardSet, set ? -1 : 0);
}

char* LFClipboardText()
{
    try {
        std::string text;
        char* real = SDL_GetClipboardText();
        if (real)
            text = real;
        SDL_free(real);
        if (_LFRecordActive)
            _LFRecordText(text);
        return _LFTempCopy(text.data(), text.size());
    } catch (const std::bad_alloc&) {
        return NULL;
    }
}
