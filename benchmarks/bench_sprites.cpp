// Bouncing sprites through Larchfield: one LFTexture::draw per sprite inside
// a batch, and the same calls one by one for comparison. The peers run the
// same benchmark in bench_sprites_sdl, _sfml and _allegro; run_sprites.sh
// runs them all on one virtual X server.
#include <GL/glew.h>

#include <stdio.h>
#include <unistd.h>  // unlink

#include <SDL_image.h>  // IMG_SavePNG

#include "BouncingSprites.h"
#include "Larchfield/Larchfield.h"

// The sprite image of one size as a texture, through a PNG file as a program
// would load it.
static LFTexture* LoadSprite(int size)
{
    std::vector<uint8_t> pixels = SpritePixels(size);
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), size, size, 32, size * 4, SDL_PIXELFORMAT_RGBA32);
    char path[64];
    snprintf(path, sizeof path, "/tmp/lf_bench_sprite_%d_%d.png", size, (int)getpid());
    IMG_SavePNG(surface, path);
    SDL_FreeSurface(surface);
    LFTexture* texture = new LFTexture(path);
    unlink(path);
    return texture;
}

int main(int argc, char** argv)
{
    if (!LFInit()) {
        fprintf(stderr, "bench_sprites: %s\n", LFError());
        return 1;
    }
    LFWindow* window = new LFWindow(LFTempString("sprites"), LFMakeSize(kScreenWidth, kScreenHeight));
    window->setRenderContext();
    LFTexture* textures[33] = {};
    for (int size : kSpriteSizes)
        textures[size] = LoadSprite(size);

    for (int batched = 1; batched >= 0; batched--)
        RunBouncingSprites(argc, argv, batched ? "Larchfield, batched" : "Larchfield, one by one",
                           [&](const std::vector<Bouncer>& sprites, int size) {
                               glClear(GL_COLOR_BUFFER_BIT);
                               LFTexture* texture = textures[size];
                               if (batched)
                                   LFBeginBatch();
                               for (const Bouncer& b : sprites)
                                   texture->draw((int)b.x, (int)b.y, -1);
                               if (batched)
                                   LFEndBatch();
                               window->swapBuffers();
                           });

    for (int size : kSpriteSizes)
        delete textures[size];
    delete window;
    LFDeInit();
    return 0;
}
