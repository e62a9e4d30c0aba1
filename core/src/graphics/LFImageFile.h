// Pixels written to image files whole or not at all: the one way the library
// writes pictures (LFTexture::writeToPNG, LFWindow::saveBuffer, frame capture).
#ifndef LFIMAGEFILE_H
#define LFIMAGEFILE_H

enum _LFImageFormat {
    _LFImagePNG,        // RGBA, alpha kept
    _LFImageOpaquePNG,  // RGB, alpha dropped
    _LFImageBMP,        // 32 bits with alpha, as SDL writes it
};

// Writes width x height pixels, packed RGBA bytes with row 0 at the top, to
// path as format. The file is written beside path under a temporary name and
// renamed over it once every byte has reached it, so path is either the whole
// image or left as it was. -1 when written; 0 when not, with nothing left
// behind and the reason in SDL_GetError().
int _LFWriteImage(const char* path, const void* pixels, int width, int height, _LFImageFormat format);

#endif
