// Milliseconds per frame of the game's own update and draw with many leaves,
// beside two baselines drawn in the same run: the game's picture drawn by
// hand (HandDrawnFrame.h), and the sky with as many coloured quads in a
// single glBegin/glEnd batch. Medians, game and baseline frames taken in
// turn. Run under a display: xvfb-run -a bench_game
#include <GL/glew.h>

#include <stdio.h>

#include <algorithm>
#include <vector>

#include "game.h"

#include "HandDrawnFrame.h"

static const int kLeafCounts[] = {1000, 5000, 20000};
static const int kWarmupFrames = 20;
static const int kTimedFrames = 200;
static const int kPerCallFrames = 20;

// The game's clock: every frame runs exactly one logic tick.
static Uint32 gameTime = 1000;
static Uint32 GameTicks()
{
    return gameTime;
}

static double Now()
{
    return (double)SDL_GetPerformanceCounter() / (double)SDL_GetPerformanceFrequency();
}

// Keeps the world at its count of leaves, spread over the sky, and with the
// bursts the caller wants.
static void Populate(World& world, int leaves, int bursts)
{
    while ((int)world.leaves->size() < leaves) {
        Leaf* leaf = new Leaf();
        leaf->pos = LFMakePoint(LFRandomize(0, 630), LFRandomize(0, 200));
        world.leaves->push_back(leaf);
    }
    while ((int)world.pewpews->size() < bursts)
        world.pewpews->push_back(new Pewpew(LFMakePoint(LFRandomize(0, 600), LFRandomize(0, 400))));
}

// One frame of the baseline: sky, then every leaf as a quad of one batch.
static void DrawBaseline(World& world)
{
    glClear(GL_COLOR_BUFFER_BIT);
    world.window->setRenderContext();
    LFDrawRectFill(LFMakeRect(0, 0, 640, 480), LFMakeColor(0.58, 0.69, 0.79, 1.0));
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    for (Leaf* leaf : *world.leaves) {
        LFRect r = leaf->rect();
        glColor4f(leaf->color.r, leaf->color.g, leaf->color.b, leaf->color.a);
        glVertex2f(r.origin.x, r.origin.y);
        glVertex2f(r.origin.x, r.origin.y + r.size.height);
        glVertex2f(r.origin.x + r.size.width, r.origin.y + r.size.height);
        glVertex2f(r.origin.x + r.size.width, r.origin.y);
    }
    glEnd();
    glEnable(GL_TEXTURE_2D);
    world.window->swapBuffers();
    glFinish();
}

// One frame of leaves drawn one LFDrawRectFill call each, for comparison.
static void DrawPerCall(World& world)
{
    glClear(GL_COLOR_BUFFER_BIT);
    world.window->setRenderContext();
    LFDrawRectFill(LFMakeRect(0, 0, 640, 480), LFMakeColor(0.58, 0.69, 0.79, 1.0));
    for (Leaf* leaf : *world.leaves)
        LFDrawRectFill(leaf->rect(), leaf->color);
    world.window->swapBuffers();
    glFinish();
}

// The median of a set of frame times.
static double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Run {
    Run(const char* name, int bursts) : name(name), bursts(bursts) {}
    const char* name;
    int bursts;
    int stage = 0;  // index into kLeafCounts
    int frame = 0;  // frame within the stage
    double lastFrameEnd = 0;
    std::vector<double> game, byHand, baseline;
};

static Run* run;

// Game frames and baseline frames alternate, one each, so that all see the
// same machine; each is timed on its own and the medians are compared.
static void OnFrame(World& world)
{
    gameTime += 16;
    glFinish();
    double frameEnd = Now();
    if (run->frame >= kWarmupFrames) {
        run->game.push_back((frameEnd - run->lastFrameEnd) * 1000);
        double begin = Now();
        DrawByHand(world);
        double middle = Now();
        DrawBaseline(world);
        run->byHand.push_back((middle - begin) * 1000);
        run->baseline.push_back((Now() - middle) * 1000);
    }
    int leaves = kLeafCounts[run->stage];
    Populate(world, leaves, run->bursts);
    run->lastFrameEnd = Now();
    if (++run->frame < kWarmupFrames + kTimedFrames)
        return;

    std::vector<double> perCall;
    for (int i = 0; i < kPerCallFrames; i++) {
        double begin = Now();
        DrawPerCall(world);
        perCall.push_back((Now() - begin) * 1000);
    }
    double game = Median(run->game), byHand = Median(run->byHand), baseline = Median(run->baseline);
    printf("%-8s %6d leaves: game %7.2f ms/frame, by hand %7.2f (ratio %.2f), one unbatched call per leaf %7.2f, "
           "sky and leaves in one batch %7.2f (ratio %.2f)\n",
           run->name, leaves, game, byHand, game / byHand, Median(perCall), baseline, game / baseline);
    fflush(stdout);

    run->frame = 0;
    run->game.clear();
    run->byHand.clear();
    run->baseline.clear();
    if (++run->stage == (int)(sizeof kLeafCounts / sizeof kLeafCounts[0]))
        LFApplicationRequestQuit();
    run->lastFrameEnd = Now();
}

int main()
{
    _LFSetTicksSource(GameTicks);
    char path[] = WINDCART_EXE;
    char* argv[] = {path, nullptr};

    // Leaves and the rest of the scene as the game has it; then with the
    // complete HUD under load (twenty bursts on screen).
    Run leavesOnly("leaves", 0);
    run = &leavesOnly;
    if (WindcartRun(1, argv, OnFrame) != 0)
        return 1;
    Run full("full+20", 20);
    run = &full;
    LFApplicationCancelQuitRequest();  // the quit flag outlives LFDeInit
    return WindcartRun(1, argv, OnFrame);
}
