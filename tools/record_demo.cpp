// record_demo: plays Windcart from a script of key presses, on a steady clock
// of one logic tick (16 ms) per frame, so that the recording it leaves behind
// shows the game at an even pace. The game runs from its library with a
// hook after every frame; the built game replays the recording exactly, and
// scripts/demo.sh turns it into the README's animated GIF.
// Usage: LF_RECORD=demo/windcart.lfrec xvfb-run -a record_demo
#include <stdio.h>

#include "game.h"

// A key going down or up at a frame.
struct Press {
    int frame;
    Uint32 type;
    SDL_Keycode key;
};

// About fifteen seconds: along the cables, a shower of leaves, back and on
// again, Escape.
static const Press kScript[] = {
    {20, SDL_KEYDOWN, SDLK_RIGHT}, {230, SDL_KEYUP, SDLK_RIGHT},  {240, SDL_KEYDOWN, SDLK_SPACE},
    {330, SDL_KEYUP, SDLK_SPACE},  {340, SDL_KEYDOWN, SDLK_LEFT}, {560, SDL_KEYUP, SDLK_LEFT},
    {570, SDL_KEYDOWN, SDLK_d},    {700, SDL_KEYDOWN, SDLK_SPACE}, {760, SDL_KEYUP, SDLK_SPACE},
    {900, SDL_KEYUP, SDLK_d},      {930, SDL_KEYDOWN, SDLK_ESCAPE},
};

static Uint32 now = 1000;
static int frame = 0;

static Uint32 Ticks()
{
    return now;
}

static void OnFrame(World& world)
{
    now += 16;
    frame++;
    for (const Press& press : kScript) {
        if (press.frame != frame)
            continue;
        SDL_Event event = {};
        event.type = press.type;
        event.key.windowID = world.window->id();
        event.key.state = press.type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = press.key;
        SDL_PushEvent(&event);
    }
}

int main()
{
    if (!getenv("LF_RECORD"))
        fprintf(stderr, "record_demo: LF_RECORD is not set, nothing will be kept\n");
    _LFSetTicksSource(Ticks);
    char path[] = WINDCART_EXE;
    char* argv[] = {path, nullptr};
    return WindcartRun(1, argv, OnFrame);
}
