// Image files written whole or not at all: through a temporary file whose
// every write is checked (SDL's writers ignore a short one), then renamed.
#include <errno.h>   // errno, EEXIST, EIO
#include <stdio.h>   // FILE, fdopen, fflush, ferror, rename, snprintf
#include <stdlib.h>  // malloc, free
#include <string.h>  // strerror, strlen
#include <unistd.h>  // close, getpid, unlink

#include <SDL_image.h>  // IMG_SavePNG_RW

#ifdef _WIN32
#include <windows.h>  // MoveFileExA
#endif

#include "graphics/LFImageFile.h"
#include "system/LFFileFlags.h"  // open

// The surface to write: over the pixels themselves, or an RGB copy for an
// opaque PNG. Null with SDL's reason.
static SDL_Surface* _LFImageSurface(const void* pixels, int width, int height, _LFImageFormat format)
{
    // RGBA32 names bytes red, green, blue, alpha in memory on any host.
    SDL_Surface* rgba = SDL_CreateRGBSurfaceWithFormatFrom((void*)pixels, width, height, 32, 4 * width,
                                                           SDL_PIXELFORMAT_RGBA32);
    if (!rgba || format != _LFImageOpaquePNG)
        return rgba;
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(rgba, SDL_PIXELFORMAT_RGB24, 0);
    SDL_FreeSurface(rgba);
    return rgb;
}

// A new file for writing, never one that is there already nor what a link
// points to; null with errno.
static FILE* _LFCreateFile(const char* path)
{
    int flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_BINARY;
    int fd = open(path, flags, 0666);
    // Left behind by an earlier process of the same number that died.
    if (fd < 0 && errno == EEXIST && unlink(path) == 0)
        fd = open(path, flags, 0666);
    FILE* file = fd >= 0 ? fdopen(fd, "wb") : NULL;
    if (fd >= 0 && !file)
        close(fd);
    return file;
}

// Writes the surface into file and closes it. -1 when every byte reached the
// file; 0 with the reason in SDL_GetError().
static int _LFSaveSurface(SDL_Surface* surface, _LFImageFormat format, FILE* file)
{
    SDL_RWops* out = SDL_RWFromFP(file, SDL_FALSE);
    errno = 0;
    int saved = out && (format == _LFImageBMP ? SDL_SaveBMP_RW(surface, out, 0) : IMG_SavePNG_RW(surface, out, 0)) == 0;
    if (out)
        SDL_RWclose(out);  // leaves the file open
    // The stream remembers a failed write, which SDL's writers may let pass
    // or report in words of their own: its errno says what happened.
    int failed = fflush(file) != 0 || ferror(file);
    failed = fclose(file) != 0 || failed;
    if (failed)
        SDL_SetError("%s", strerror(errno ? errno : EIO));
    return saved && !failed ? -1 : 0;
}

// rename(), which on Windows refuses to replace a file that is there.
static int _LFReplaceFile(const char* from, const char* to)
{
#ifdef _WIN32
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING))
        return 0;
    errno = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
    return -1;
#else
    return rename(from, to);
#endif
}

int _LFWriteImage(const char* path, const void* pixels, int width, int height, _LFImageFormat format)
{
    size_t size = strlen(path) + 32;
    char* temporary = (char*)malloc(size);
    SDL_Surface* surface = temporary ? _LFImageSurface(pixels, width, height, format) : NULL;
    FILE* file = NULL;
    if (!temporary) {
        SDL_OutOfMemory();
    } else if (surface) {
        snprintf(temporary, size, "%s.part-%ld", path, (long)getpid());
        file = _LFCreateFile(temporary);
        if (!file)
            SDL_SetError("%s", strerror(errno));
    }
    int written = file && _LFSaveSurface(surface, format, file);
    if (written && _LFReplaceFile(temporary, path) != 0) {
        SDL_SetError("%s", strerror(errno));
        written = 0;
    }
    if (file && !written)
        unlink(temporary);
    SDL_FreeSurface(surface);
    free(temporary);
    return written ? -1 : 0;
}
