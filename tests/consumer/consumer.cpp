// Built against an installed Larchfield: opens a window, draws an orange
// rectangle on blue, saves the picture with saveBuffer and checks two pixels
// of the saved file. Exits 0 when both are right.
// Usage: consumer picture.bmp
#include <stdio.h>

#include <new>

#include <Larchfield/Larchfield.h>

// The pixel at (x, y) of a picture, as 8-bit RGB.
static bool readPixel(const char* path, int x, int y, Uint8 rgb[3])
{
    SDL_Surface* loaded = SDL_LoadBMP(path);
    if (!loaded)
        return false;
    SDL_Surface* picture = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    if (!picture)
        return false;
    const Uint8* pixel = (const Uint8*)picture->pixels + y * picture->pitch + x * 4;
    rgb[0] = pixel[0], rgb[1] = pixel[1], rgb[2] = pixel[2];
    SDL_FreeSurface(picture);
    return true;
}

static bool near(const Uint8 rgb[3], int r, int g, int b)
{
    return abs(rgb[0] - r) <= 2 && abs(rgb[1] - g) <= 2 && abs(rgb[2] - b) <= 2;
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: consumer picture.bmp\n");
        return 2;
    }
    if (!LFInit()) {
        fprintf(stderr, "consumer: %s\n", LFError());
        return 1;
    }
    LFWindow* window;
    try {
        window = new LFWindow(LFTempString("Consumer"), LFMakeSize(64, 48), 0);
    } catch (std::bad_alloc&) {
        fprintf(stderr, "consumer: %s\n", LFError());
        LFDeInit();
        return 1;
    }
    window->setRenderingMode(LFWindowRenderingMode2D);
    window->setRenderContext();
    LFDrawRectFill(LFMakeRect(LFZeroPoint, window->size()), LFMakeColor(0, 0, 1, 1));
    LFDrawRectFill(LFMakeRect(LFMakePoint(16, 8), LFMakeSize(32, 24)), LFMakeColor(1, 0.5, 0, 1));
    int saved = window->saveBuffer(argv[1], 0);
    if (!saved)
        fprintf(stderr, "consumer: %s\n", LFError());
    delete window;
    LFDeInit();

    Uint8 inside[3], outside[3];
    if (!saved || !readPixel(argv[1], 32, 20, inside) || !readPixel(argv[1], 4, 4, outside)) {
        fprintf(stderr, "consumer: cannot read %s back\n", argv[1]);
        return 1;
    }
    if (!near(inside, 255, 128, 0) || !near(outside, 0, 0, 255)) {
        fprintf(stderr, "consumer: wrong pixels: (%d, %d, %d) inside, (%d, %d, %d) outside\n",
                inside[0], inside[1], inside[2], outside[0], outside[1], outside[2]);
        return 1;
    }
    printf("consumer: ok\n");
    return 0;
}
