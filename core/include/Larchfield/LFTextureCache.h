// Textures shared by path and window.
#ifndef LFTEXTURECACHE_H
#define LFTEXTURECACHE_H

// Deletes every cached texture.
void LFTextureCachePurge();

#endif
