// Throw-away formatted strings: each one is recorded in a pool that the logic
// loop empties at the end of every tick, so callers never free them.
#include <stdarg.h>  // va_list
#include <stdio.h>   // vsnprintf
#include <stdlib.h>  // malloc, free
#include <string.h>  // strlen

#include <list>
#include <new>  // std::bad_alloc

#include <SDL_stdinc.h>  // SDL_strlcpy

#include "string/LFStringPrivate.h"

// The pool, in order of creation. Filled by LFTempString, emptied by
// _LFCleanTempStrings (from LFLogicUpdate). Strings still pooled when the
// program exits (say, one that quits before its first tick) are released
// with the pool instead of being lost.
struct _LFTempStringPool : std::list<char*> {
    ~_LFTempStringPool()
    {
        for (char* block : *this)
            free(block);
    }
};
static _LFTempStringPool _sLFTemporaryStrings;


int _LFFormatV(char buffer[_LFFormatBufferSize], const char* format, va_list args)
{
    int length = vsnprintf(buffer, _LFFormatBufferSize, format, args);
    // An encoding error leaves the buffer's contents undefined.
    if (length < 0)
        buffer[0] = '\0';
    return length >= _LFFormatBufferSize;
}

char* _LFMakeString(int length)
{
    if (length <= 0)
        return NULL;
    char* block = (char*)malloc(length);
    if (!block)
        return NULL;
    block[0] = '\0';
    return block;
}

char* LFTempString(const char* input, ...)
{
    if (!input)
        return NULL;
    char buffer[_LFFormatBufferSize];
    va_list args;
    va_start(args, input);
    _LFFormatV(buffer, input, args);
    va_end(args);

    int len = (int)strlen(buffer) + 1;
    char* block = _LFMakeString(len);
    if (!block)
        return NULL;
    SDL_strlcpy(block, buffer, len);
    try {
        _sLFTemporaryStrings.push_back(block);
    } catch (const std::bad_alloc&) {
        free(block);
        return NULL;
    }
    block[len - 1] = '\0';
    return block;
}

void _LFCleanTempStrings()
{
    for (char* block : _sLFTemporaryStrings)
        free(block);
    _sLFTemporaryStrings.clear();
}

int _LFTempStringCount()
{
    return (int)_sLFTemporaryStrings.size();
}
