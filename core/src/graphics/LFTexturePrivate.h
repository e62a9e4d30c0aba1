// What the library reaches inside a texture: screen capture's upload, and
// for the tests the chosen pixel format and the getPixel snapshot; and the
// pixel-store state every read and upload of packed pixels uses.
#ifndef LFTEXTUREPRIVATE_H
#define LFTEXTUREPRIVATE_H

#include <SDL.h>  // SDL_Surface

#include "LFTexture.h"

// Rows of pixels packed back to back in client memory, for reads and uploads
// alike, whatever pixel-store state the caller left behind; buffers are sized
// for exactly that. Call between glPushClientAttrib and glPopClientAttrib.
void _LFUsePackedRows();

// The image file at path, decoded after its header's claims were checked
// against the file and the largest texture (so the window's icon is checked
// as textures are); null, with the reason naming the file in LFError().
SDL_Surface* _LFLoadImageFile(const char* path);

// LFTexture's friend.
struct _LFTextureAccess {
    // Uploads width x height RGBA pixels in packed rows, row 0 first, into
    // texture, replacing what it held (screen capture's copyTexture).
    static void loadPackedRGBA(LFTexture* texture, int width, int height, char* pixels);
    static GLint format(LFTexture* texture) { return texture->_format; }
    static GLint bytesPerPixel(LFTexture* texture) { return texture->_bytesPerPixel; }
    // The getPixel snapshot, or null.
    static const float* snapshot(LFTexture* texture) { return texture->_getPixels; }
};

#endif
