// The global user-interface font: one face, mode and offset, fetched from the
// library's font cache at whatever size is asked for. Every public pair is one
// font-taking function called with the font of LFUISetGlobalFont or with the
// font at a given size.
#include <math.h>    // ceilf
#include <stdlib.h>  // free
#include <string.h>  // strdup

#include "graphics/LFFontCache.h"
#include "graphics/LFWindowPrivate.h"
#include "gui/LFUIGlobalFontPrivate.h"
#include "system/LFApplicationPrivate.h"

// The global font, set by LFUISetGlobalFont; LFDeInit frees the path.
LFFont* _LFUIGlobalFont = NULL;
char* _LFUIGlobalFontPath = NULL;
LFAliasMode _LFUIGlobalFontMode = (LFAliasMode)0;
int _LFUIGlobalFontSize = 0;
LFPoint _LFUIGlobalFontOffset = {0, 0};

// The global font cache's generation when _LFUIGlobalFont was fetched; any
// other value means the cache has deleted its fonts since (0: no cache).
static unsigned long _LFUIGlobalFontGeneration = 0;
// The serial number of the window current when it was fetched (0: none).
static Uint64 _LFUIGlobalFontWindow = 0;

static unsigned long _LFGlobalFontCacheGeneration()
{
    return _LFGlobalFontCache ? _LFGlobalFontCache->generation() : 0;
}

// Fetches _LFUIGlobalFont at its size for the window current now.
static void _LFUIFetchGlobalFont()
{
    _LFUIGlobalFont = _LFUIGlobalFontWithSize(_LFUIGlobalFontSize);
    _LFUIGlobalFontGeneration = _LFGlobalFontCacheGeneration();
    _LFUIGlobalFontWindow = _LFCurrentWindowSerial;
}

// True when the font was fetched under a window that has been deleted since:
// its glyphs went with that window's context.
static bool _LFUIGlobalFontWindowIsGone()
{
    return _LFUIGlobalFontWindow != 0 && !_LFWindowSerialIsLive(_LFUIGlobalFontWindow);
}

// The font of the functions without a size. Clearing or deleting the cache
// deletes it, and deleting its window leaves it without glyphs, so it is then
// fetched again (null after LFDeInit, which frees the path).
static LFFont* _LFUIGlobalFontCurrent()
{
    if (!_LFGlobalFontCache || _LFUIGlobalFontGeneration != _LFGlobalFontCacheGeneration() ||
        _LFUIGlobalFontWindowIsGone())
        _LFUIFetchGlobalFont();
    return _LFUIGlobalFont;
}

static void _LFUIGlobalFontPrint(LFFont* font, LFPoint pos, LFColor baseColor, char* text)
{
    if (font)
        font->print(pos, baseColor, text);
}

static int _LFUIGlobalFontLineHeight(LFFont* font)
{
    return font ? _LFUIRoundUp(font->lineHeight()) : 0;
}

static int _LFUIGlobalFontDescender(LFFont* font)
{
    return font ? _LFUIRoundUp(font->descender()) : 0;
}

static LFSize _LFUIGlobalFontStringBounds(LFFont* font, char* text)
{
    return font ? _LFUIRoundUp(font->stringBounds(text, 0)) : LFZeroSize;
}

static LFPoint _LFUIGlobalFontRenderingOffset(LFFont* font)
{
    return font ? font->renderingOffsetForSize(font->getSize()) : LFZeroPoint;
}

int LFUISetGlobalFont(char* fontPath, LFAliasMode mode, int size, LFPoint offset)
{
    // Copied before the old copy is freed: fontPath may be that copy.
    char* path = fontPath ? strdup(fontPath) : NULL;
    free(_LFUIGlobalFontPath);
    _LFUIGlobalFontPath = path;
    _LFUIGlobalFontMode = mode;
    _LFUIGlobalFontSize = size;
    _LFUIGlobalFontOffset = offset;
    _LFUIFetchGlobalFont();
    return -1;
}

LFFont* _LFUIGlobalFontWithSize(int size)
{
    if (!_LFUIGlobalFontPath || !_LFGlobalFontCache)
        return NULL;
    LFFont* font = _LFGlobalFontCache->fontAtPath(_LFUIGlobalFontPath, _LFUIGlobalFontMode, size);
    if (font)
        font->setRenderingOffsetForSize(size, _LFUIGlobalFontOffset);
    return font;
}

int _LFUIRoundUp(float value)
{
    return (int)ceilf(value);
}

LFSize _LFUIRoundUp(LFSize size)
{
    return LFMakeSize(ceilf(size.width), ceilf(size.height));
}

void LFUIGlobalFontPrint(LFPoint pos, LFColor baseColor, char* text)
{
    _LFUIGlobalFontPrint(_LFUIGlobalFontCurrent(), pos, baseColor, text);
}

void LFUIGlobalFontPrint(LFPoint pos, LFColor baseColor, int size, char* text)
{
    _LFUIGlobalFontPrint(_LFUIGlobalFontWithSize(size), pos, baseColor, text);
}

int LFUIGlobalFontLineHeight()
{
    return _LFUIGlobalFontLineHeight(_LFUIGlobalFontCurrent());
}

int LFUIGlobalFontLineHeight(int size)
{
    return _LFUIGlobalFontLineHeight(_LFUIGlobalFontWithSize(size));
}

int LFUIGlobalFontDescender()
{
    return _LFUIGlobalFontDescender(_LFUIGlobalFontCurrent());
}

int LFUIGlobalFontDescender(int size)
{
    return _LFUIGlobalFontDescender(_LFUIGlobalFontWithSize(size));
}

LFSize LFUIGlobalFontStringBounds(char* text)
{
    return _LFUIGlobalFontStringBounds(_LFUIGlobalFontCurrent(), text);
}

LFSize LFUIGlobalFontStringBounds(int size, char* text)
{
    return _LFUIGlobalFontStringBounds(_LFUIGlobalFontWithSize(size), text);
}

LFPoint LFUIGlobalFontRenderingOffset()
{
    return _LFUIGlobalFontRenderingOffset(_LFUIGlobalFontCurrent());
}

LFPoint LFUIGlobalFontRenderingOffset(int size)
{
    return _LFUIGlobalFontRenderingOffset(_LFUIGlobalFontWithSize(size));
}
