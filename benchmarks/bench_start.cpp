// How long the game takes from being started to its first frame on screen:
// runs the game's library (with the per-frame hook) as a fresh process again
// and again, each reporting when its first frame was swapped, and prints every
// time and their median. The time runs from just before the process is started
// (through a shell that execs it) to the end of the first swap, so it includes
// loading the program and its libraries. Beside it, the CPU time the main
// thread and the whole process had used by then: on a busy machine the wall
// time mostly measures waiting for a core, the main thread's CPU time much less.
// Then the same for a bare SDL program that opens an OpenGL window of the
// game's size and swaps once: the part of the start no game can save.
// Run under a display: xvfb-run -a -s "-screen 0 1280x1024x24" bench_start [runs]
#include <GL/glew.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>  // clock_gettime

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "game.h"

typedef std::chrono::steady_clock Clock;

static long long NowNanoseconds()
{
    return (long long)std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

static double CpuMilliseconds(clockid_t clock)
{
    struct timespec t;
    clock_gettime(clock, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// In a run: the first frame is on screen (the hook follows the swap).
static void OnFrame(World&)
{
    glFinish();
    printf("%lld %f %f\n", NowNanoseconds(), CpuMilliseconds(CLOCK_THREAD_CPUTIME_ID),
           CpuMilliseconds(CLOCK_PROCESS_CPUTIME_ID));
    fflush(stdout);
    LFApplicationRequestQuit();
}

// The floor under any game here: SDL's video and an OpenGL window of the same
// size, cleared and swapped once, reporting as the game does.
static int RunBareWindow()
{
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        return 1;
    SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 640, 480,
                                          SDL_WINDOW_OPENGL);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : NULL;
    if (!context)
        return 1;
    glClearColor(1, 0.1f, 0.4f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
    World unused;
    OnFrame(unused);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}

// One start, in milliseconds: to the first frame, and CPU time by then.
struct Start {
    double wall, mainThread, process;
};

// One run as a fresh process (mode --run: the game, --bare: the bare
// window); false when it failed.
static bool TimeOneStart(const char* self, const char* mode, Start& start)
{
    std::string command = std::string("exec '") + self + "' " + mode;
    long long before = NowNanoseconds();
    FILE* child = popen(command.c_str(), "r");
    if (!child)
        return false;
    long long firstFrame = 0;
    int read = fscanf(child, "%lld %lf %lf", &firstFrame, &start.mainThread, &start.process);
    if (pclose(child) != 0 || read != 3)
        return false;
    start.wall = (firstFrame - before) / 1e6;
    return true;
}

static double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Times runs starts in one mode and prints each and their median.
static bool TimeStarts(const char* self, const char* mode, const char* what, int runs)
{
    std::vector<double> wall, mainThread, process;
    for (int i = 0; i < runs; i++) {
        Start start;
        if (!TimeOneStart(self, mode, start)) {
            fprintf(stderr, "bench_start: %s, run %d failed\n", what, i + 1);
            return false;
        }
        wall.push_back(start.wall);
        mainThread.push_back(start.mainThread);
        process.push_back(start.process);
        printf("%s, run %2d: first frame after %6.1f ms; CPU by then: main thread %6.1f ms, process %6.1f ms\n", what,
               i + 1, start.wall, start.mainThread, start.process);
    }
    printf("%s, median over %d runs: first frame after %.1f ms (fastest %.1f); CPU: main thread %.1f ms, process "
           "%.1f ms\n",
           what, runs, Median(wall), *std::min_element(wall.begin(), wall.end()), Median(mainThread), Median(process));
    return true;
}

int main(int argc, char** argv)
{
    if (argc > 1 && strcmp(argv[1], "--run") == 0) {
        char path[] = WINDCART_EXE;
        char* gameArgv[] = {path, nullptr};
        return WindcartRun(1, gameArgv, OnFrame);
    }
    if (argc > 1 && strcmp(argv[1], "--bare") == 0)
        return RunBareWindow();

    int runs = argc > 1 ? atoi(argv[1]) : 10;
    if (runs < 1)
        runs = 1;
    bool timed = TimeStarts(argv[0], "--run", "game", runs) && TimeStarts(argv[0], "--bare", "bare window", runs);
    return timed ? 0 : 1;
}
