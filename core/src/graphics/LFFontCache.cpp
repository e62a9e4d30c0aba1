// The library's font cache: a linear list of entries in insertion order,
// searched by path content, requested mode, size and window render context,
// because an LFFont holds one size and OpenGL keeps glyphs per context.
#include <string.h>  // strcmp

#include <new>  // std::bad_alloc

#include "graphics/LFFontCache.h"
#include "system/LFApplicationPrivate.h"

// Generations handed out so far, shared by every cache, so that a cache made
// where a deleted one lay never repeats the deleted one's numbers.
static unsigned long _LFFontCacheGenerations = 0;

// True when item was made for this request under the current window (the
// address and the serial number: a new window may lie where a deleted one did).
static bool _LFFontCacheItemMatches(_LFFontCacheItem* item, char* path, LFAliasMode mode, int size)
{
    return item->mode() == mode && item->size() == size && item->context() == _LFCurrentWindowRenderContext &&
           item->windowSerial() == _LFCurrentWindowSerial && strcmp(item->path(), path) == 0;
}

_LFFontCache::_LFFontCache() : _fonts(new std::vector<_LFFontCacheItem*>()), _generation(++_LFFontCacheGenerations)
{
}

_LFFontCache::~_LFFontCache()
{
    clearFontVector();
    delete _fonts;
    _fonts = NULL;
}

LFFont* _LFFontCache::fontAtPath(char* path, LFAliasMode mode, int size)
{
    if (!_fonts)
        return NULL;
    if (path) {
        for (_LFFontCacheItem* item : *_fonts)
            if (_LFFontCacheItemMatches(item, path, mode, size))
                return item->font();
    }

    _LFFontCacheItem* item = NULL;
    try {
        item = new _LFFontCacheItem(path, mode, size, _LFCurrentWindowRenderContext);
        _fonts->push_back(item);
    } catch (const std::bad_alloc&) {
        delete item;
        _LFSetError("Unable to load font and add it to the global cache.");
        return NULL;
    }
    return item->font();
}

int _LFFontCache::numberOfFonts()
{
    return _fonts ? (int)_fonts->size() : 0;
}

void _LFFontCache::clear()
{
    clearFontVector();
}

unsigned long _LFFontCache::generation()
{
    return _generation;
}

void _LFFontCache::clearFontVector()
{
    if (!_fonts)
        return;
    for (_LFFontCacheItem* item : *_fonts)
        delete item;
    _fonts->clear();
    _generation = ++_LFFontCacheGenerations;
}

// The library's own cache (LFInit makes it, LFDeInit deletes it), which the
// global UI font draws from and LFApplication.h's two calls reach.
_LFFontCache* _LFGlobalFontCache = NULL;

void LFClearGUIFontCache()
{
    if (_LFGlobalFontCache)
        _LFGlobalFontCache->clear();
}

int LFGUIFontCacheSize()
{
    return _LFGlobalFontCache ? _LFGlobalFontCache->numberOfFonts() : 0;
}
