// Milliseconds per frame of the game's own update and draw with many leaves,
// beside a baseline drawn in the same run: as many coloured quads in a single
// glBegin/glEnd batch. Run under a display: xvfb-run -a bench_game
#include <GL/glew.h>

#include <stdio.h>

#define WINDCART_TESTING
#include "../src/main.cpp"

static const int kLeafCounts[] = {1000, 5000, 20000};
static const int kWarmupFrames = 20;
static const int kTimedFrames = 200;

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

struct Run {
    const char* name;
    int bursts;
    int stage = 0;        // index into kLeafCounts
    int frame = 0;        // frame within the stage
    double start = 0;
};

static Run* run;

void WindcartTestFrame(World& world)
{
    gameTime += 16;
    glFinish();
    int leaves = kLeafCounts[run->stage];
    Populate(world, leaves, run->bursts);
    if (run->frame == kWarmupFrames)
        run->start = Now();
    if (++run->frame < kWarmupFrames + kTimedFrames + 1)
        return;

    double game = (Now() - run->start) * 1000 / kTimedFrames;
    double begin = Now();
    for (int i = 0; i < kTimedFrames; i++)
        DrawBaseline(world);
    double baseline = (Now() - begin) * 1000 / kTimedFrames;
    begin = Now();
    for (int i = 0; i < kTimedFrames; i++)
        DrawPerCall(world);
    double perCall = (Now() - begin) * 1000 / kTimedFrames;
    printf("%-8s %6d leaves: game %7.2f ms/frame, one call per leaf %7.2f, batched baseline %7.2f, ratio %.2f\n",
           run->name, leaves, game, perCall, baseline, game / baseline);
    fflush(stdout);

    run->frame = 0;
    if (++run->stage == (int)(sizeof kLeafCounts / sizeof kLeafCounts[0]))
        LFApplicationRequestQuit();
}

int main()
{
    _LFSetTicksSource(GameTicks);
    char path[] = WINDCART_EXE;
    char* argv[] = {path, nullptr};

    // Leaves and the rest of the scene as the game has it; then with the
    // complete HUD under load (twenty bursts on screen).
    Run leavesOnly = {"leaves", 0};
    run = &leavesOnly;
    if (SDL_main(1, argv) != 0)
        return 1;
    Run full = {"full+20", 20};
    run = &full;
    LFApplicationCancelQuitRequest();  // the quit flag outlives LFDeInit
    return SDL_main(1, argv);
}
