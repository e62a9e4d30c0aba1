// The bouncing-sprite benchmark shared by Larchfield and its peers (SDL's
// renderer, SFML, Allegro): the same sprites, the same motion, the same
// frame timing and the same report line, so that only the library differs.
// Each program supplies a frame function and calls RunBouncingSprites.
#ifndef BOUNCINGSPRITES_H
#define BOUNCINGSPRITES_H

#include <math.h>  // sqrtf
#include <stdint.h>
#include <stdio.h>

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

// The median time of frame() in milliseconds, after a warm-up, over at
// least kMinFrames frames and kMinSeconds; *frames is set to their number.
inline double MedianMilliseconds(const std::function<void()>& frame, int* frames)
{
    typedef std::chrono::steady_clock Clock;
    for (int i = 0; i < kWarmupFrames; i++)
        frame();
    std::vector<double> times;
    Clock::time_point start = Clock::now();
    while ((int)times.size() < kMinFrames ||
           std::chrono::duration<double>(Clock::now() - start).count() < kMinSeconds) {
        Clock::time_point begin = Clock::now();
        frame();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
    }
    std::sort(times.begin(), times.end());
    *frames = (int)times.size();
    return times[times.size() / 2];
}

// Runs frame(sprites, size) for every count and size, each after the
// sprites have moved, and prints the median time of a frame for each. The
// frame draws every sprite with one call and presents the picture.
inline void RunBouncingSprites(const char* library,
                               const std::function<void(const std::vector<Bouncer>&, int)>& frame)
{
    for (int size : kSpriteSizes)
        for (int count : kSpriteCounts) {
            std::vector<Bouncer> sprites = MakeBouncers(count, size);
            int frames;
            double ms = MedianMilliseconds(
                [&] {
                    MoveBouncers(sprites, size);
                    frame(sprites, size);
                },
                &frames);
            printf("%-28s %2dx%-2d %6d sprites: %8.2f ms/frame (median of %d)\n", library, size, size, count, ms,
                   frames);
            fflush(stdout);
        }
}

#endif
