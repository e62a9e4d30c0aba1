// Bouncing sprites through SDL's own 2D renderer on its OpenGL back end, with
// its batching on: one SDL_RenderCopy per sprite.
#include <stdio.h>

#include <SDL.h>

#include "BouncingSprites.h"

int main(int argc, char** argv)
{
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        fprintf(stderr, "bench_sprites_sdl: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* window = SDL_CreateWindow("sprites", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, kScreenWidth,
                                          kScreenHeight, SDL_WINDOW_OPENGL);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : NULL;
    SDL_RendererInfo info;
    if (!renderer || SDL_GetRendererInfo(renderer, &info) != 0 || SDL_strcmp(info.name, "opengl") != 0) {
        fprintf(stderr, "bench_sprites_sdl: no OpenGL renderer (%s)\n", renderer ? info.name : SDL_GetError());
        return 1;
    }
    SDL_Texture* textures[33] = {};
    for (int size : kSpriteSizes) {
        std::vector<uint8_t> pixels = SpritePixels(size);
        SDL_Surface* surface =
            SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), size, size, 32, size * 4, SDL_PIXELFORMAT_RGBA32);
        textures[size] = SDL_CreateTextureFromSurface(renderer, surface);
        SDL_SetTextureBlendMode(textures[size], SDL_BLENDMODE_BLEND);
        SDL_FreeSurface(surface);
    }

    RunBouncingSprites(argc, argv, "SDL renderer (opengl)", [&](const std::vector<Bouncer>& sprites, int size) {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        for (const Bouncer& b : sprites) {
            SDL_Rect dst = {(int)b.x, (int)b.y, size, size};
            SDL_RenderCopy(renderer, textures[size], NULL, &dst);
        }
        SDL_RenderPresent(renderer);
    });

    for (int size : kSpriteSizes)
        SDL_DestroyTexture(textures[size]);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
