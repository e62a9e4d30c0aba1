// The library's font cache: one LFFont per file, alias mode, size and window.
#ifndef LFFONTCACHE_H
#define LFFONTCACHE_H

class _LFFontCache {
public:
    _LFFontCache();
    ~_LFFontCache();

    // Deletes every cached font.
    void clear();
    int numberOfFonts();
};

extern _LFFontCache* _LFGlobalFontCache;

#endif
