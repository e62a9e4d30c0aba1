// One entry of the font cache: owns its font and a copy of the font's path;
// the mode, size and window it was requested with are its key.
#include <stdlib.h>  // free
#include <string.h>  // strdup

#include <new>  // std::bad_alloc

#include "graphics/LFFontCacheItem.h"
#include "system/LFApplicationPrivate.h"

_LFFontCacheItem::_LFFontCacheItem()
{
    _LFSetError("Cannot instantiate default _LFFontCacheItem");
    throw std::bad_alloc();
}

_LFFontCacheItem::_LFFontCacheItem(char* path, LFAliasMode mode, int size, void* context)
    : _path(path ? strdup(path) : NULL), _mode(mode), _size(size), _font(NULL), _context(context),
      _windowSerial(_LFCurrentWindowSerial)
{
    // A throwing constructor runs no destructor: the copy is freed here.
    try {
        if (!_path)
            throw std::bad_alloc();
        _font = new LFFont(_path, mode);
    } catch (const std::bad_alloc&) {
        _LFSetError("Unable to load font at path:");
        free(_path);
        throw;
    }
    _font->setSize(size);
}

_LFFontCacheItem::~_LFFontCacheItem()
{
    // The item made the font as an LFFont itself: its destructor is the one
    // to run, and the compiler's warning about a subclass does not apply.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdelete-non-virtual-dtor"
    delete _font;
#pragma GCC diagnostic pop
    _font = NULL;
    free(_path);
    _path = NULL;
}

LFFont* _LFFontCacheItem::font()
{
    return _font;
}

char* _LFFontCacheItem::path()
{
    return _path;
}

int _LFFontCacheItem::mode()
{
    return _mode;
}

int _LFFontCacheItem::size()
{
    return _size;
}

void* _LFFontCacheItem::context()
{
    return _context;
}

Uint64 _LFFontCacheItem::windowSerial()
{
    return _windowSerial;
}
