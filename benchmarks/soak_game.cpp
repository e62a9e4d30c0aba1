// A long run of the game with Space held: leaves, bursts and temporary
// strings come and go for thousands of frames. Prints the live counts and
// the resident memory as it goes; in the sanitizer build LeakSanitizer
// checks at exit that nothing was lost. Run: xvfb-run -a soak_game [frames]
#include <GL/glew.h>

#include <stdio.h>
#include <stdlib.h>

#include "game.h"
#include "string/LFStringPrivate.h"

static Uint32 gameTime = 1000;
static Uint32 GameTicks()
{
    return gameTime;
}

static long ResidentKilobytes()
{
    long pages = 0, resident = 0;
    FILE* f = fopen("/proc/self/statm", "r");
    if (f) {
        if (fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        fclose(f);
    }
    return resident * 4;
}

static int frames = 3000;
static int frame = 0;

static void OnFrame(World& world)
{
    gameTime += 16;
    if (frame == 0) {
        SDL_Event e = {};
        e.type = SDL_KEYDOWN;
        e.key.state = SDL_PRESSED;
        e.key.keysym.sym = SDLK_SPACE;
        SDL_PushEvent(&e);
    }
    // The cart sweeps the cables so leaves keep hitting it.
    if (frame % 400 == 0) {
        SDL_Event e = {};
        e.type = frame % 800 == 0 ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.keysym.sym = SDLK_RIGHT;
        SDL_PushEvent(&e);
    }
    if (frame % 500 == 0)
        printf("frame %5d: %4zu leaves, %3zu bursts, score %3d, %2d pooled strings, %ld kB resident\n", frame,
               world.leaves->size(), world.pewpews->size(), world.playerScore, _LFTempStringCount(),
               ResidentKilobytes());
    if (++frame >= frames)
        LFApplicationRequestQuit();
}

int main(int argc, char** argv)
{
    if (argc > 1)
        frames = atoi(argv[1]);
    _LFSetTicksSource(GameTicks);
    char path[] = WINDCART_EXE;
    char* args[] = {path, nullptr};
    int status = WindcartRun(1, args, OnFrame);
    printf("exit status %d after %d frames\n", status, frame);
    return status;
}
