// How long the game takes from being started to its first frame on screen:
// runs the game's source (with the per-frame hook) as a fresh process again
// and again, each reporting when its first frame was swapped, and prints every
// time and their median. The time runs from just before the process is started
// (through a shell that execs it) to the end of the first swap, so it includes
// loading the program and its libraries.
// Run under a display: xvfb-run -a -s "-screen 0 1280x1024x24" bench_start [runs]
#include <GL/glew.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#define WINDCART_TESTING
#include "../src/main.cpp"

typedef std::chrono::steady_clock Clock;

static long long NowNanoseconds()
{
    return (long long)std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// In a run: the first frame is on screen (the hook follows the swap).
void WindcartTestFrame(World&)
{
    glFinish();
    printf("%lld\n", NowNanoseconds());
    fflush(stdout);
    LFApplicationRequestQuit();
}

// One run as a fresh process; milliseconds to its first frame, or -1.
static double TimeOneStart(const char* self)
{
    std::string command = std::string("exec '") + self + "' --run";
    long long before = NowNanoseconds();
    FILE* child = popen(command.c_str(), "r");
    if (!child)
        return -1;
    long long firstFrame = 0;
    int read = fscanf(child, "%lld", &firstFrame);
    if (pclose(child) != 0 || read != 1)
        return -1;
    return (firstFrame - before) / 1e6;
}

int main(int argc, char** argv)
{
    if (argc > 1 && strcmp(argv[1], "--run") == 0) {
        char path[] = WINDCART_EXE;
        char* gameArgv[] = {path, nullptr};
        return SDL_main(1, gameArgv);
    }

    int runs = argc > 1 ? atoi(argv[1]) : 10;
    std::vector<double> times;
    for (int i = 0; i < runs; i++) {
        double ms = TimeOneStart(argv[0]);
        if (ms < 0) {
            fprintf(stderr, "bench_start: run %d failed\n", i + 1);
            return 1;
        }
        times.push_back(ms);
        printf("run %2d: first frame after %.1f ms\n", i + 1, ms);
    }
    std::sort(times.begin(), times.end());
    printf("median %.1f ms, fastest %.1f ms, slowest %.1f ms over %d runs\n", times[times.size() / 2], times.front(),
           times.back(), runs);
    return 0;
}
