// One entry of the font cache: a font made from a file at a requested alias
// mode and size, under the window render context that was current then.
#ifndef LFFONTCACHEITEM_H
#define LFFONTCACHEITEM_H

#include <SDL.h>  // Uint64

#include "LFFont.h"

class _LFFontCacheItem {
public:
    // Not usable: always throws std::bad_alloc, with "Cannot instantiate
    // default _LFFontCacheItem" in LFError().
    _LFFontCacheItem();
    // Loads the face at path as mode and sizes it to size. Throws
    // std::bad_alloc when the font cannot be made ("Unable to load font at
    // path:" in LFError()). A face that refuses size is still made, at its
    // previous size, with LFFont::setSize's error text; the item is filed
    // under the requested mode and size all the same. The serial number of the
    // current window (_LFCurrentWindowSerial) is filed with context.
    _LFFontCacheItem(char* path, LFAliasMode mode, int size, void* context);
    // Deletes the font and frees the path copy.
    ~_LFFontCacheItem();
    _LFFontCacheItem(const _LFFontCacheItem&) = delete;
    _LFFontCacheItem& operator=(const _LFFontCacheItem&) = delete;

    LFFont* font();
    // The item's own copy of the path.
    char* path();
    // The mode as requested: 0 stays 0 although the font draws as LFAntiAliased.
    int mode();
    // The size as requested, even when the face refused it.
    int size();
    // The window render context current when the item was made; only compared.
    void* context();
    // The serial number of that window (_LFCurrentWindowSerial then).
    Uint64 windowSerial();

private:
    char* _path;
    LFAliasMode _mode;
    int _size;
    LFFont* _font;
    void* _context;
    Uint64 _windowSerial;
};

#endif
