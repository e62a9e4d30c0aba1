// Textures shared by path and window: one LFTexture per path text, reused
// only while the window it was loaded under is current, since OpenGL
// textures belong to one context.
#include <map>
#include <memory>  // std::unique_ptr
#include <new>     // std::bad_alloc
#include <string>

#include "LFTexture.h"
#include "graphics/LFTextureCachePrivate.h"
#include "system/LFApplicationPrivate.h"

// Path text, compared byte by byte, to its entry.
typedef std::map<std::string, _LFTextureCacheItem*> _LFTextureMap;

// The cache, filled by LFTextureCacheLoad and emptied by LFTextureCachePurge.
// Only a purge deletes the entries: the map's own destructor, at program end,
// frees just the map.
static _LFTextureMap _LFTextureCache;

// True when item holds a texture made under the window that is current now
// (its address and its serial number).
static bool _LFTextureCacheItemIsCurrent(_LFTextureCacheItem* item)
{
    return item && item->texture() && item->renderContext() == _LFCurrentWindowRenderContext &&
           item->windowSerial() == _LFCurrentWindowSerial;
}

_LFTextureCacheItem::_LFTextureCacheItem(LFTexture* texture, void* renderContext)
    : _texture(texture), _renderContext(renderContext), _windowSerial(_LFCurrentWindowSerial)
{
}

_LFTextureCacheItem::~_LFTextureCacheItem()
{
    delete _texture;
}

LFTexture* _LFTextureCacheItem::texture()
{
    return _texture;
}

void* _LFTextureCacheItem::renderContext()
{
    return _renderContext;
}

Uint64 _LFTextureCacheItem::windowSerial()
{
    return _windowSerial;
}

LFTexture* _LFTextureCacheItem::releaseTexture()
{
    LFTexture* texture = _texture;
    _texture = NULL;
    return texture;
}

_LFTextureCacheItem* _LFTextureCacheGet(char* path)
{
    if (!path)
        return NULL;
    _LFTextureMap::iterator entry = _LFTextureCache.find(path);
    return (entry != _LFTextureCache.end()) ? entry->second : NULL;
}

void _LFTextureCacheAdd(const char* path, _LFTextureCacheItem* item)
{
    if (path)
        _LFTextureCache[path] = item;
}

LFTexture* LFTextureCacheLoad(char* path)
{
    _LFTextureCacheItem* cached = _LFTextureCacheGet(path);
    if (_LFTextureCacheItemIsCurrent(cached))
        return cached->texture();

    // The constructor throws when the image cannot be loaded, before anything
    // is stored; the guards release what was made if storing it runs out of
    // memory. SDL_image cannot be handed a null path at all.
    if (!path)
        throw std::bad_alloc();
    std::unique_ptr<LFTexture> texture(new LFTexture(path));
    std::unique_ptr<_LFTextureCacheItem> item(new _LFTextureCacheItem(texture.get(), _LFCurrentWindowRenderContext));
    texture.release();
    _LFTextureCacheAdd(path, item.get());
    // The entry given way to was made under another window (or holds no
    // texture): its texture is now its holder's alone, and the entry goes.
    if (cached) {
        cached->releaseTexture();
        delete cached;
    }
    return item.release()->texture();
}

void LFTextureCachePurge()
{
    for (_LFTextureMap::value_type& entry : _LFTextureCache)
        delete entry.second;
    _LFTextureCache.clear();
}
