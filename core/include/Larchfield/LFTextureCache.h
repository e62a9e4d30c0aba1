// Textures shared by path and window: an image file is decoded and uploaded
// once per path text and per window render context, then handed out again.
#ifndef LFTEXTURECACHE_H
#define LFTEXTURECACHE_H

class LFTexture;

// The texture loaded from path while the current window render context was
// current, loaded now if there is none yet. A texture loaded under a window
// that has been deleted since is never handed out again. Never null: throws
// std::bad_alloc when the image cannot be loaded (as LFTexture(char*) does,
// with the same error text), and the cache is then unchanged, so a later call
// tries the file again. The path text is the key, byte for byte: "a.png" and "./a.png"
// are two entries holding two textures.
// Note: the texture belongs to the cache; never delete it, and stop using it
// once the cache is purged. A load under another window replaces the path's
// entry (and frees it): the texture loaded before is then no longer the
// cache's, and its holder deletes it (with its own window's context current).
LFTexture* LFTextureCacheLoad(char* path);

// Deletes every cached texture and empties the cache, which stays usable.
// LFDeInit calls it.
// Note: OpenGL deletes each texture in the context current at the call; purge
// while the window that loaded them is current, or after their windows are gone.
void LFTextureCachePurge();

#endif
