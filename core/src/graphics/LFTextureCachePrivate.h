// The texture cache's entries, and its lookup and store apart from loading.
#ifndef LFTEXTURECACHEPRIVATE_H
#define LFTEXTURECACHEPRIVATE_H

#include <SDL.h>  // Uint64

#include "LFTextureCache.h"

// One cache entry, owning its texture and remembering the window
// render context it was loaded under (only ever compared, never dereferenced)
// and that window's serial number, read from _LFCurrentWindowSerial when the
// entry is made.
class _LFTextureCacheItem {
public:
    _LFTextureCacheItem(LFTexture* texture, void* renderContext);
    // Deletes the texture, if any.
    ~_LFTextureCacheItem();
    _LFTextureCacheItem(const _LFTextureCacheItem&) = delete;
    _LFTextureCacheItem& operator=(const _LFTextureCacheItem&) = delete;

    LFTexture* texture();
    void* renderContext();
    // The serial number of the window current when the item was made
    // (_LFCurrentWindowSerial then): a new window may lie where a deleted one did.
    Uint64 windowSerial();
    // Gives the texture up without deleting it; the item then holds none.
    LFTexture* releaseTexture();

private:
    LFTexture* _texture;
    void* _renderContext;
    Uint64 _windowSerial;
};

// The entry stored under path, or null when there is none.
_LFTextureCacheItem* _LFTextureCacheGet(char* path);
// Stores item under a copy of path. An entry already stored there is
// dropped from the cache, not deleted.
void _LFTextureCacheAdd(const char* path, _LFTextureCacheItem* item);

#endif
