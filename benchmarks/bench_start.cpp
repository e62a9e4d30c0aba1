// How long the game takes from being started to its first frame on screen:
// runs the game's source (with the per-frame hook) as a fresh process again
// and again, each reporting when its first frame was swapped, and prints every
// time and their median. The time runs from just before the process is started
// (through a shell that execs it) to the end of the first swap, so it includes
// loading the program and its libraries. Beside it, the CPU time the main
// thread and the whole process had used by then: on a busy machine the wall
// time mostly measures waiting for a core, the main thread's CPU time much less.
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

#define WINDCART_TESTING
#include "../src/main.cpp"

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
void WindcartTestFrame(World&)
{
    glFinish();
    printf("%lld %f %f\n", NowNanoseconds(), CpuMilliseconds(CLOCK_THREAD_CPUTIME_ID),
           CpuMilliseconds(CLOCK_PROCESS_CPUTIME_ID));
    fflush(stdout);
    LFApplicationRequestQuit();
}

// One start, in milliseconds: to the first frame, and CPU time by then.
struct Start {
    double wall, mainThread, process;
};

// One run as a fresh process; false when it failed.
static bool TimeOneStart(const char* self, Start& start)
{
    std::string command = std::string("exec '") + self + "' --run";
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

int main(int argc, char** argv)
{
    if (argc > 1 && strcmp(argv[1], "--run") == 0) {
        char path[] = WINDCART_EXE;
        char* gameArgv[] = {path, nullptr};
        return SDL_main(1, gameArgv);
    }

    int runs = argc > 1 ? atoi(argv[1]) : 10;
    if (runs < 1)
        runs = 1;
    std::vector<double> wall, mainThread, process;
    for (int i = 0; i < runs; i++) {
        Start start;
        if (!TimeOneStart(argv[0], start)) {
            fprintf(stderr, "bench_start: run %d failed\n", i + 1);
            return 1;
        }
        wall.push_back(start.wall);
        mainThread.push_back(start.mainThread);
        process.push_back(start.process);
        printf("run %2d: first frame after %6.1f ms; CPU by then: main thread %6.1f ms, process %6.1f ms\n", i + 1,
               start.wall, start.mainThread, start.process);
    }
    printf("median over %d runs: first frame after %.1f ms (fastest %.1f); CPU: main thread %.1f ms, process %.1f ms\n",
           runs, Median(wall), *std::min_element(wall.begin(), wall.end()), Median(mainThread), Median(process));
    return 0;
}
