// Windcart: a cart rides three cables through a fall of wind-blown leaves.
// Start-up, the frame loop (update slots, then draw slots) and teardown.
#include <stdio.h>   // fprintf
#include <stdlib.h>  // getenv
#include <string.h>  // strcmp
#include <unistd.h>  // chdir

#include <new>  // std::bad_alloc

#include <GL/gl.h>

#include "Larchfield/Larchfield.h"

static const float kWindowWidth = 640;
static const float kWindowHeight = 480;

// Everything the game keeps for the whole run; one instance lives in the
// entry function.
struct World {
    LFWindow* window = nullptr;
};

#ifdef WINDCART_TESTING
// The tests watch and steer the game once per frame, after its draw.
void WindcartTestFrame(World& world);
#endif

// Update slots, once per logic tick.
static void updateTick(World& world)
{
    (void)world;
    // Escape quits once per press; the rest of this frame still runs.
    if (LFKey(LFKeyEscape, -1))
        LFApplicationRequestQuit();
}

// Draw slots, once per frame.
static void drawFrame(World& world)
{
    glClearColor(1.0, 0.1, 0.4, 1.0);
    glClear(GL_COLOR_BUFFER_BIT);
    world.window->setRenderContext();

    LFSize windowSize = world.window->size();
    LFDrawRectFill(LFMakeRect(LFZeroPoint, windowSize), LFMakeColor(0.58, 0.69, 0.79, 1.0));

    world.window->swapBuffers();
}

// Without a display SDL falls back to an invisible off-screen window; a
// player would see nothing, so that only counts when asked for by name.
static bool hasDisplay()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    bool invisible = driver && (strcmp(driver, "offscreen") == 0 || strcmp(driver, "dummy") == 0);
    return !invisible || getenv("SDL_VIDEODRIVER") != nullptr;
}

static void teardown(World& world)
{
    delete world.window;
    LFDeInit();
}

int SDL_main(int argc, char** argv)
{
    // LFInit cuts the path it is given down to the directory: pass a copy.
    if (!LFInit(LFTempString("%s", argc > 0 ? argv[0] : "windcart"))) {
        fprintf(stderr, "windcart: %s\n", LFError() ? LFError() : "cannot start the library");
        LFDeInit();
        return 1;
    }
    if (chdir(LFExecutablePath) != 0) {
        // LFInit has already tried; the data paths then resolve from here.
    }
    if (!hasDisplay()) {
        fprintf(stderr, "windcart: no display to open the window on (is DISPLAY set?)\n");
        LFDeInit();
        return 1;
    }

    World world;
    try {
        world.window = new LFWindow(LFTempString("Windcart"), LFMakeSize(kWindowWidth, kWindowHeight), 0);
    } catch (std::bad_alloc&) {
        fprintf(stderr, "windcart: %s %s\n", LFError(), SDL_GetError());
        LFDeInit();
        return 1;
    }
    world.window->setRenderingMode(LFWindowRenderingMode2D);
    world.window->setRenderContext();

    LFResetLogicLoop();
    while (!LFApplicationQuitRequested()) {
        LFPreLogicLoop();
        while (LFLogicLoop()) {
            updateTick(world);
            LFLogicUpdate();
        }
        LFPostLogicLoop();
        drawFrame(world);
#ifdef WINDCART_TESTING
        WindcartTestFrame(world);
#endif
    }

    teardown(world);
    return 0;
}

#ifndef WINDCART_TESTING
// SDL2main supplies main() only on platforms that need it; elsewhere the
// program starts here and hands over to SDL_main.
#if !defined(SDL_MAIN_NEEDED) && !defined(SDL_MAIN_AVAILABLE)
int main(int argc, char** argv)
{
    return SDL_main(argc, argv);
}
#endif
#endif
