// What recording costs: milliseconds per frame of the game's own update and
// draw with 5,000 leaves, runs without and with LF_RECORD taking turns in one
// process, and the bytes the recording takes per frame. Every leaf's timer
// reads the clock on every tick, so a frame reads it some 5,000 times. The
// runs are the same run: one seed, and a clock that gives one tick per frame
// and moves on a millisecond every 1,000 readings within a frame, as real
// time does while a live frame updates its leaves. Besides the wall time of
// a frame, the main thread's processor time is measured: recording happens
// there, and it is steadier than wall time on a busy machine.
// On a busy machine both vary from run to run more than recording costs, so
// the cost of the recording hooks is also timed on their own (the clock
// reading, millions of times in the pattern of a frame) and set against the
// fastest frame of the runs.
// Run under a display: xvfb-run -a -s "-noreset" bench_record
#include <GL/glew.h>

#include <math.h>  // fmin
#include <stdio.h>
#include <stdlib.h>    // setenv, unsetenv
#include <sys/stat.h>  // stat
#include <time.h>      // clock_gettime

#include "game.h"
#include "math/LFRandomPrivate.h"

static const int kLeaves = 5000;
static const int kWarmupFrames = 30;
static const int kTimedFrames = 300;
static const int kRounds = 3;
static const char* const kRecording = "/tmp/bench_record.lfrec";

static double Now()
{
    return (double)SDL_GetPerformanceCounter() / (double)SDL_GetPerformanceFrequency();
}

static double ThreadTime()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

static Uint32 frameStart = 1000;
static Uint32 readings = 0;
static Uint32 readingsPerMillisecond = 1000;
static double totalReadings = 0;
static Uint32 GameTicks()
{
    totalReadings++;
    return frameStart + (readings++ / readingsPerMillisecond) % 16;
}

struct Timing {
    double wall;
    double cpu;
};

static int frame;
static Timing start;
static Timing perFrame;

static void OnFrame(World& world)
{
    glFinish();
    if (frame == 0)
        _LFSeedRandom(20240213);
    while ((int)world.leaves->size() < kLeaves) {
        Leaf* leaf = new Leaf();
        leaf->pos = LFMakePoint(LFRandomize(0, 630), LFRandomize(0, 200));
        world.leaves->push_back(leaf);
    }
    frameStart += 16;
    readings = 0;
    if (frame == kWarmupFrames) {
        start = {Now(), ThreadTime()};
        totalReadings = 0;
    }
    if (++frame < kWarmupFrames + kTimedFrames + 1)
        return;
    perFrame = {(Now() - start.wall) * 1000 / kTimedFrames, (ThreadTime() - start.cpu) * 1000 / kTimedFrames};
    LFApplicationRequestQuit();
}

// One run of the game; its milliseconds per frame.
static Timing RunGame(bool record)
{
    if (record)
        setenv("LF_RECORD", kRecording, 1);
    else
        unsetenv("LF_RECORD");
    frame = 0;
    frameStart = 1000;
    readings = 0;
    readingsPerMillisecond = 1000;
    _LFSetTicksSource(GameTicks);
    char path[] = WINDCART_EXE;
    char* argv[] = {path, nullptr};
    LFApplicationCancelQuitRequest();  // the quit flag outlives LFDeInit
    if (WindcartRun(1, argv, OnFrame) != 0)
        exit(1);
    return perFrame;
}

// Nanoseconds per clock reading, in runs of readings like a frame's, the
// clock moving on every so many readings.
static double ReadingCost(bool record, Uint32 perMillisecond)
{
    readingsPerMillisecond = perMillisecond;
    if (record)
        setenv("LF_RECORD", kRecording, 1);
    else
        unsetenv("LF_RECORD");
    LFInit();
    const int kReadings = 20000000;
    frameStart = 1000;
    readings = 0;
    Uint32 sum = 0;
    double begin = ThreadTime();
    for (int i = 0; i < kReadings; i++) {
        sum += _LFGetTicks();
        if (readings == 5000) {
            frameStart += 16;
            readings = 0;
        }
    }
    double cost = (ThreadTime() - begin) * 1e9 / kReadings;
    LFDeInit();
    return sum ? cost : 0;
}

int main()
{
    Timing best[2] = {{1e9, 1e9}, {1e9, 1e9}};
    double readingsPerFrame = 0;
    for (int round = 0; round < kRounds; round++) {
        for (int record = 0; record < 2; record++) {
            Timing t = RunGame(record);
            best[record] = {fmin(best[record].wall, t.wall), fmin(best[record].cpu, t.cpu)};
            readingsPerFrame = totalReadings / kTimedFrames;
        }
        printf("round %d, %d leaves, fastest so far, ms per frame: plain %.3f wall, %.3f main thread; recorded %.3f "
               "wall, %.3f main thread\n",
               round + 1, kLeaves, best[0].wall, best[0].cpu, best[1].wall, best[1].cpu);
        fflush(stdout);
    }
    struct stat info;
    stat(kRecording, &info);
    int frames = kWarmupFrames + kTimedFrames + 1;
    printf("recording: %ld bytes for %d frames, %.1f bytes per frame\n", (long)info.st_size, frames,
           (double)info.st_size / frames);

    // As in a frame (a new value every 1,000 readings), and the worst case: a
    // new value at every reading, so that every one is written.
    for (Uint32 perMillisecond : {1000u, 1u}) {
        double plain = 1e9, recorded = 1e9;
        for (int round = 0; round < 3; round++) {
            plain = fmin(plain, ReadingCost(false, perMillisecond));
            recorded = fmin(recorded, ReadingCost(true, perMillisecond));
        }
        double extra = (recorded - plain) * readingsPerFrame / 1e6;
        printf("a clock reading, new every %u: %.2f ns plain, %.2f ns recorded; at %.0f readings per frame "
               "recording adds %.4f ms per frame, %.2f %% of the fastest plain frame (%.3f ms)\n",
               perMillisecond, plain, recorded, readingsPerFrame, extra, extra / best[0].wall * 100, best[0].wall);
    }
    remove(kRecording);
    return 0;
}
