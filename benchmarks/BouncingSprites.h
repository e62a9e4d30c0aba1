// The bouncing-sprite benchmark shared by Larchfield and its peers (SDL's
// renderer, SFML, Allegro): the same sprites, the same motion, the same
// frame timing and the same report line, so that only the library differs.
// Each program supplies a frame function and calls RunBouncingSprites.
#ifndef BOUNCINGSPRITES_H
#define BOUNCINGSPRITES_H

#include <math.h>  // sqrtf
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>  // atoi
#include <sys/resource.h>  // getrusage
#include <time.h>          // clock_gettime

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

static const int kScreenWidth = 640;
static const int kScreenHeight = 480;
static const int kSpriteCounts[] = {1000, 5000, 20000};
static const int kSpriteSizes[] = {8, 32};
static const int kWarmupFrames = 10;
// Each measurement runs at least this many frames and at least this long.
static const int kMinFrames = 30;
static const double kMinSeconds = 1.5;

// One sprite: its top-left corner and its step per frame, in pixels.
struct Bouncer {
    float x, y, vx, vy;
};

// count sprites of size x size pixels spread over the screen, with steps of
// 0.5 to 3 pixels a frame in every direction; the same for every library.
inline std::vector<Bouncer> MakeBouncers(int count, int size)
{
    std::vector<Bouncer> sprites(count);
    uint32_t seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1664525u + 1013904223u;
        return (int)((seed >> 8) % (uint32_t)n);
    };
    for (Bouncer& b : sprites) {
        b.x = (float)next(kScreenWidth - size);
        b.y = (float)next(kScreenHeight - size);
        b.vx = (next(2) ? 1 : -1) * (0.5f + next(6) * 0.5f);
        b.vy = (next(2) ? 1 : -1) * (0.5f + next(6) * 0.5f);
    }
    return sprites;
}

// Moves every sprite one step, bouncing off the screen's edges.
inline void MoveBouncers(std::vector<Bouncer>& sprites, int size)
{
    for (Bouncer& b : sprites) {
        b.x += b.vx;
        b.y += b.vy;
        if (b.x < 0 || b.x > kScreenWidth - size)
            b.vx = -b.vx;
        if (b.y < 0 || b.y > kScreenHeight - size)
            b.vy = -b.vy;
    }
}

// A size x size RGBA image (bytes red, green, blue, alpha): an opaque disc
// with a soft rim on a transparent square, in a colour gradient.
inline std::vector<uint8_t> SpritePixels(int size)
{
    std::vector<uint8_t> pixels((size_t)size * size * 4);
    float centre = (size - 1) / 2.0f;
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            float dx = x - centre, dy = y - centre;
            float edge = centre + 0.5f - std::max(0.0f, sqrtf(dx * dx + dy * dy));
            uint8_t* p = &pixels[((size_t)y * size + x) * 4];
            p[0] = (uint8_t)(255 * x / size);
            p[1] = (uint8_t)(255 * y / size);
            p[2] = 200;
            p[3] = (uint8_t)(255 * std::min(1.0f, std::max(0.0f, edge)));
        }
    return pixels;
}

// Page faults of the process so far: memory the drawing takes fresh from
// the kernel shows here.
inline long PageFaults()
{
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

// Processor time of the process so far, every thread's, in milliseconds:
// less moved than wall time by other programs on a busy machine.
inline double ProcessorMilliseconds()
{
    struct timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// What frames cost, beside their median wall time: per frame, the page
// faults and the processor time of every thread of the process.
struct FrameCosts {
    int frames;
    double faults;
    double processorMs;
};

// The median time of frame() in milliseconds, after a warm-up, over at
// least kMinFrames frames and kMinSeconds; *costs, unless null, is set to
// their number and their means of page faults and processor time.
inline double MedianMilliseconds(const std::function<void()>& frame, FrameCosts* costs = NULL)
{
    typedef std::chrono::steady_clock Clock;
    for (int i = 0; i < kWarmupFrames; i++)
        frame();
    std::vector<double> times;
    long faultsBefore = PageFaults();
    double processorBefore = ProcessorMilliseconds();
    Clock::time_point start = Clock::now();
    while ((int)times.size() < kMinFrames ||
           std::chrono::duration<double>(Clock::now() - start).count() < kMinSeconds) {
        Clock::time_point begin = Clock::now();
        frame();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
    }
    if (costs)
        *costs = {(int)times.size(), (double)(PageFaults() - faultsBefore) / times.size(),
                  (ProcessorMilliseconds() - processorBefore) / times.size()};
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Runs frame(sprites, size) for every count and size, or for the one size
// and count given as the program's two arguments, each after the sprites
// have moved, and prints for each the median wall time of a frame, the
// processor time and the page faults per frame. The frame draws every
// sprite with one call and presents the picture.
inline void RunBouncingSprites(int argc, char** argv, const char* library,
                               const std::function<void(const std::vector<Bouncer>&, int)>& frame)
{
    for (int size : kSpriteSizes)
        for (int count : kSpriteCounts) {
            if (argc == 3 && (atoi(argv[1]) != size || atoi(argv[2]) != count))
                continue;
            std::vector<Bouncer> sprites = MakeBouncers(count, size);
            FrameCosts costs;
            double ms = MedianMilliseconds(
                [&] {
                    MoveBouncers(sprites, size);
                    frame(sprites, size);
                },
                &costs);
            printf("%-24s %2dx%-2d %6d sprites: %8.2f ms/frame, processor %8.2f ms, %6.0f page faults (%d frames)\n",
                   library, size, size, count, ms, costs.processorMs, costs.faults, costs.frames);
            fflush(stdout);
        }
}

#endif
