// The game left alone on the real clock, as a player would leave it: frames
// drawn per second, the marquee's pixels per second (one per logic tick) and
// the CPU time of the whole process (every thread, the mixer's included) as a
// share of one core, over ten seconds after two of warm-up.
// A second argument replaces the game's frame-rate limit (0: none), for
// comparison.
// Run under a display: xvfb-run -a -s "-screen 0 1280x1024x24" bench_idle [seconds [limit]]
#include <GL/glew.h>

#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>  // getrusage

#include "game.h"

static const double kWarmupSeconds = 2;
static double measuredSeconds = 10;
static int frameRateLimit = -1;  // the game's own

static double Now()
{
    return (double)SDL_GetPerformanceCounter() / (double)SDL_GetPerformanceFrequency();
}

// CPU seconds used by the process so far, user and system, every thread.
static double CpuSeconds()
{
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

static double firstFrame = 0;
static double start = 0;
static double startCpu = 0;
static long frames = 0;
static long marqueePixels = 0;
static float lastX = 0;

// Pixels the marquee moved left since the last frame: one per tick, and the
// tick that takes it past its width puts it back at the window's right edge.
static long MarqueeStep(World& world)
{
    float x = world.messagePos.x;
    if (x <= lastX)
        return (long)(lastX - x);
    return (long)(lastX + world.messageWidth + 1) + (long)(kWindowWidth - x);
}

static void OnFrame(World& world)
{
    double now = Now();
    if (firstFrame == 0) {
        firstFrame = now;
        if (frameRateLimit >= 0)
            LFSetFrameRateLimit((unsigned int)frameRateLimit);
    }
    if (start == 0 && now - firstFrame >= kWarmupSeconds) {
        start = now;
        startCpu = CpuSeconds();
        lastX = world.messagePos.x;
        return;
    }
    if (start == 0)
        return;
    frames++;
    marqueePixels += MarqueeStep(world);
    lastX = world.messagePos.x;
    if (now - start < measuredSeconds)
        return;

    double seconds = now - start;
    printf("frame-rate limit %u, vsync %s\n", LFFrameRateLimit(), SDL_GL_GetSwapInterval() ? "on" : "off");
    printf("%.1f s: %.1f frames/s, marquee %.2f px/s, CPU %.1f %% of one core\n", seconds, frames / seconds,
           marqueePixels / seconds, (CpuSeconds() - startCpu) / seconds * 100);
    LFApplicationRequestQuit();
}

int main(int argc, char** argv)
{
    if (argc > 1)
        measuredSeconds = atof(argv[1]);
    if (argc > 2)
        frameRateLimit = atoi(argv[2]);
    char path[] = WINDCART_EXE;
    char* gameArgv[] = {path, nullptr};
    return WindcartRun(1, gameArgv, OnFrame);
}
