// The library's font cache: one LFFont per font file, alias mode, size and
// window render context, made on first request and kept until cleared.
#ifndef LFFONTCACHE_H
#define LFFONTCACHE_H

#include <vector>

#include "graphics/LFFontCacheItem.h"

class _LFFontCache {
public:
    // An empty cache. Throws std::bad_alloc when memory runs out.
    _LFFontCache();
    // Deletes every cached font.
    ~_LFFontCache();
    _LFFontCache(const _LFFontCache&) = delete;
    _LFFontCache& operator=(const _LFFontCache&) = delete;

    // The font for path (compared by content), mode (as requested: 0 and
    // LFAntiAliased are two entries) and size, made under the window render
    // context current now; made and appended on first request. A font made
    // under a window that has been deleted since is never handed out again. Null when it
    // cannot be made, with "Unable to load font and add it to the global
    // cache." in LFError(); nothing is appended then.
    // Note: the font belongs to the cache and is deleted by clear().
    LFFont* fontAtPath(char* path, LFAliasMode mode, int size);
    // How many fonts the cache holds.
    int numberOfFonts();
    // Deletes every cached font; the cache stays usable.
    void clear();
    // A number that changes whenever this cache deletes its fonts and that no
    // other cache ever had: a font fetched under another number may be gone.
    unsigned long generation();

    // Internal: the entries, in insertion order.
    const std::vector<_LFFontCacheItem*>& _items() { return *_fonts; }

private:

    // The body of clear and of the destructor.
    void clearFontVector();

    // Entries in insertion order; owned.
    std::vector<_LFFontCacheItem*>* _fonts;
    unsigned long _generation;
};

extern _LFFontCache* _LFGlobalFontCache;

#endif
