// The game's own rules, run through its real entry (WindcartRun of the game
// library) with a hook called after every frame: time comes from the test
// clock, keys are real SDL events and random draws are seeded.
#include "TestSupport.h"  // first: it brings in GLEW, which must precede gl.h

#include "game.h"
#include "math/LFRandomPrivate.h"
#include "timing/LFLogicTimingPrivate.h"

#include <unistd.h>  // getpid

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>

#include <SDL_image.h>

// One frame of a scripted run: the script sees the world after the frame's
// draw and returns false to end the game.
typedef std::function<bool(World&, int frame)> Script;

static Script script;
static int frameNumber;
// How far the clock moves after each frame; 0 leaves the pace to the game.
static Uint32 frameMs;

static void OnFrame(World& world)
{
    // Scripted frames: the game's frame-rate limit is lifted, so that a
    // script that takes the clock back gets a frame without a tick.
    if (frameNumber == 0 && frameMs)
        LFSetFrameRateLimit(0);
    TestClock::now += frameMs;
    if (!script(world, frameNumber++))
        LFApplicationRequestQuit();
}

// Runs the game with a script until the script stops it; the exit status.
// By default every frame runs one tick.
static int RunGame(Script s, Uint32 ms = 16)
{
    script = s;
    frameNumber = 0;
    frameMs = ms;
    TestClock::install(1000);
    char path[] = WINDCART_EXE;
    char* argv[] = {path, nullptr};
    int status = WindcartRun(1, argv, OnFrame);
    TestClock::uninstall();
    return status;
}

// Runs the game at its own pace: frames take no time of their own, and the
// game's frame-rate limit waits on the test clock between them.
static int RunPacedGame(Script s)
{
    return RunGame(s, 0);
}

static void PushKey(Uint32 type, SDL_Keycode sym)
{
    SDL_Event e = KeyEvent(type, sym);
    SDL_PushEvent(&e);
}

// A mask image of the given size with one alpha everywhere, loaded as a texture.
static LFTexture* MakeMask(int width, int height, Uint8 alpha)
{
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    SDL_FillRect(s, NULL, SDL_MapRGBA(s->format, 0, 0, 0, alpha));
    char path[] = "/tmp/windcart-maskXXXXXX.png";
    int fd = mkstemps(path, 4);
    close(fd);
    IMG_SavePNG(s, path);
    SDL_FreeSurface(s);
    LFTexture* texture = new LFTexture(path);
    unlink(path);
    return texture;
}

static void ReplaceMask(World& world, LFTexture* mask)
{
    delete world.mask;
    world.mask = mask;
}

// A leaf at a place, that stays there (its step timer never fires).
static Leaf* AddStillLeaf(World& world, LFPoint pos, float side)
{
    Leaf* leaf = new Leaf();
    leaf->pos = pos;
    leaf->size = LFMakeSize(side, side);
    leaf->timer->setTimeout(1e6);
    world.leaves->push_back(leaf);
    return leaf;
}

// Freezes everything that would add or move things on its own.
static void Calm(World& world)
{
    world.flowTimer->setTimeout(1e6);
    for (Leaf* leaf : *world.leaves)
        delete leaf;
    world.leaves->clear();
}

// The sample of a cable's curve that the cart takes at a given progress: the
// last of the 101 samples within 0.01 of it.
static float SampleFor(float progress)
{
    float chosen = -1;
    for (float t = 0; t < 1; t = (float)((double)t + 0.01))
        if (fabs((double)(t - progress)) < 0.01)
            chosen = t;
    return chosen;
}

TEST(Game, StartsWithItsTableOfValuesAndQuitsCleanly)
{
    int status = RunGame([](World& w, int) {
        EXPECT_EQ(640, w.messagePos.x) << "the first frame runs no tick";
        EXPECT_EQ(0, w.cartTargetCableIndex);
        EXPECT_EQ(24u, w.notes->size());
        EXPECT_EQ(6, w.targetSize.width);
        EXPECT_GT(w.messageWidth, 400);
        EXPECT_STREQ("Quill February 2024! Hey Pim :)                        ", w.message);
        return false;
    });
    EXPECT_EQ(0, status);
    EXPECT_EQ(nullptr, LFError()) << "the library was shut down";
}

TEST(Game, FramesStart16MillisecondsApartAndTheMarqueeKeepsItsPace)
{
    Uint32 start = 0;
    RunPacedGame([&](World& w, int frame) {
        if (frame == 0) {
            EXPECT_EQ(63u, LFFrameRateLimit());
            EXPECT_TRUE(SDL_GL_GetSwapInterval() == 1 || strstr(LFError(), "Unable to set swap interval"))
                << "the game asks for vsync";
            start = TestClock::now;
            EXPECT_EQ(640, w.messagePos.x);
        }
        if (frame < 250)
            return true;
        EXPECT_EQ(start + 250 * 16, TestClock::now);
        EXPECT_EQ(640 - 250, w.messagePos.x) << "a tick in every frame: 62.5 pixels a second";
        EXPECT_EQ(0, (int)_LFLogicTimeElapsed) << "no time left over";
        return false;
    });
}

TEST(Game, EscapeQuitsAfterTheFrameCompletes)
{
    int frames = 0;
    RunGame([&](World&, int frame) {
        frames++;
        if (frame == 2)
            PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
        EXPECT_LE(frame, 3) << "the frame that saw Escape is the last";
        return true;
    });
    EXPECT_EQ(4, frames);
}

TEST(Game, ClosingTheWindowEndsTheLoop)
{
    int frames = 0;
    RunGame([&](World&, int frame) {
        frames++;
        if (frame == 1) {
            SDL_Event quit = {};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        }
        return frame < 50;
    });
    EXPECT_EQ(3, frames);
}

TEST(Game, FrameWithoutATickIsStillDrawn)
{
    float marquee = 0;
    int draws = 0;
    RunGame([&](World& w, int frame) {
        draws++;
        if (frame == 1) {
            marquee = w.messagePos.x;
            TestClock::now -= 16;  // the next frame runs no tick
        }
        if (frame == 2) {
            EXPECT_EQ(marquee, w.messagePos.x);
            return false;
        }
        return true;
    });
    EXPECT_EQ(3, draws);
}

TEST(Game, FiftyOneForwardTicksReachTheNextCable)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            Calm(w);
            EXPECT_EQ(0.5f, w.cartProgress);
            PushKey(SDL_KEYDOWN, SDLK_RIGHT);
        }
        if (frame == 50) {
            EXPECT_EQ(0, w.cartTargetCableIndex);
            EXPECT_LE(w.cartProgress, 1.0f);
            EXPECT_GT(w.cartProgress, 0.99f);
        }
        if (frame == 51) {
            EXPECT_EQ(1, w.cartTargetCableIndex);
            EXPECT_EQ(0, w.cartProgress);
            return false;
        }
        return true;
    });
}

TEST(Game, BackKeysWinOverForwardKeys)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            PushKey(SDL_KEYDOWN, SDLK_l);
            PushKey(SDL_KEYDOWN, SDLK_j);
        }
        if (frame == 1) {
            EXPECT_FLOAT_EQ(0.49f, w.cartProgress);
            PushKey(SDL_KEYUP, SDLK_j);
        }
        if (frame == 2) {
            EXPECT_FLOAT_EQ(0.5f, w.cartProgress) << "L alone moves on";
            PushKey(SDL_KEYDOWN, SDLK_a);
        }
        if (frame == 3) {
            EXPECT_FLOAT_EQ(0.49f, w.cartProgress) << "A moves back";
            return false;
        }
        return true;
    });
}

TEST(Game, BackPastTheStartOfACableLandsAtTheEndOfThePrevious)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            Calm(w);
            w.cartTargetCableIndex = 1;
            w.cartProgress = 0;
            PushKey(SDL_KEYDOWN, SDLK_LEFT);
        }
        if (frame == 1) {
            EXPECT_EQ(0, w.cartTargetCableIndex);
            EXPECT_EQ(1, w.cartProgress);
            EXPECT_NEAR(100, w.cartPoint.x, 0.01) << "at the shared anchor";
            EXPECT_NEAR(280, w.cartPoint.y, 0.01);
            return false;
        }
        return true;
    });
}

TEST(Game, TheCartStopsAtTheOuterEnds)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            w.cartProgress = 0;
            PushKey(SDL_KEYDOWN, SDLK_LEFT);
        }
        if (frame == 3) {
            EXPECT_EQ(0, w.cartTargetCableIndex);
            EXPECT_EQ(0, w.cartProgress);
            PushKey(SDL_KEYUP, SDLK_LEFT);
            PushKey(SDL_KEYDOWN, SDLK_RIGHT);
            w.cartTargetCableIndex = 2;
            w.cartProgress = 1;
        }
        if (frame == 6) {
            EXPECT_EQ(2, w.cartTargetCableIndex);
            EXPECT_EQ(1, w.cartProgress);
            EXPECT_NEAR(600, w.cartPoint.x, 0.01) << "at the far end of the last cable";
            EXPECT_NEAR(100, w.cartPoint.y, 0.01);
            return false;
        }
        return true;
    });
}

// Positions on the cables are computed only while drawing: a frame that runs
// no tick draws the state the script set.
TEST(Game, CartAtTheStartOfACableSitsAtTheSecondSample)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            w.windVelocity = LFZeroPoint;
            w.cartTargetCableIndex = 1;
            w.cartProgress = 0;
            TestClock::now -= 16;
        }
        if (frame == 1) {
            float t = SampleFor(0);
            EXPECT_FLOAT_EQ(0.01f, t);
            LFPoint expected = LFBezierCurve(w.cable2.p1, w.cable2.p2, w.cable2.p3, w.cable2.p4, t);
            EXPECT_EQ(expected.x, w.cartPoint.x);
            EXPECT_EQ(expected.y, w.cartPoint.y);
            EXPECT_LT(SampleFor(1), 1.0f);
            EXPECT_GT(SampleFor(1), 0.99999f);
            return false;
        }
        return true;
    });
}

TEST(Game, WindBendsTheControlPointsAndTheCartMakesTheCableSag)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            w.windVelocity = LFMakePoint(2, 0);
            w.cartTargetCableIndex = 1;
            w.cartProgress = 0.5;
            TestClock::now -= 16;
        }
        if (frame == 1) {
            // Wind (2, 0): the second control point moves 60 right and 60
            // down, the third stays; the cart at the middle sags both by 20.
            float t = SampleFor(0.5f);
            LFPoint c2 = LFMakePoint(100 + 60, 280 + 20 + 60);
            LFPoint c3 = LFMakePoint(360, 210 + 20);
            LFPoint expected = LFBezierCurve(w.cable2.p1, c2, c3, w.cable2.p4, t);
            EXPECT_EQ(expected.x, w.cartPoint.x);
            EXPECT_EQ(expected.y, w.cartPoint.y);

            w.windVelocity = LFMakePoint(0, 2);
            TestClock::now -= 16;
        }
        if (frame == 2) {
            float t = SampleFor(0.5f);
            LFPoint c2 = LFMakePoint(100, 280 + 20);
            LFPoint c3 = LFMakePoint(360 + 60, 210 + 20 + 60);
            LFPoint expected = LFBezierCurve(w.cable2.p1, c2, c3, w.cable2.p4, t);
            EXPECT_EQ(expected.x, w.cartPoint.x);
            EXPECT_EQ(expected.y, w.cartPoint.y);
            return false;
        }
        return true;
    });
}

TEST(Game, TheTargetPointComesFromItsCable)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            w.windVelocity = LFZeroPoint;
            w.targetCable = 2;
            w.targetPerc = 0.25f;
            TestClock::now -= 16;
        }
        if (frame == 1) {
            LFPoint expected = LFBezierCurve(w.cable3.p1, w.cable3.p2, w.cable3.p3, w.cable3.p4, SampleFor(0.25f));
            EXPECT_EQ(expected.x, w.targetPoint.x);
            EXPECT_EQ(expected.y, w.targetPoint.y);
            return false;
        }
        return true;
    });
}

TEST(Game, WindEasesTowardItsTargetAndThenPicksAnother)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            EXPECT_FALSE(w.windVelocityTarget.x == 0 && w.windVelocityTarget.y == 0 &&
                         w.windVelocity.x != 0)
                << "the first tick draws a target without moving the wind";
            w.windVelocity = LFZeroPoint;
            w.windVelocityTarget = LFMakePoint(1, 2);
        }
        if (frame == 100) {
            EXPECT_NEAR(1, w.windVelocity.x, 0.001);
            EXPECT_NEAR(1, w.windVelocity.y, 0.001);
            EXPECT_GE(w.windVelocity.x, 0.9999f);
        }
        if (frame == 200) {
            EXPECT_NEAR(2, w.windVelocity.y, 0.001);
            EXPECT_EQ(1, w.windVelocityTarget.x) << "not there yet until both axes are";
        }
        if (frame == 201) {
            EXPECT_NEAR(1, w.windVelocity.x, 0.001) << "a new target leaves the wind where it is";
            return false;
        }
        return true;
    });
}

TEST(Game, SpaceHeldAddsALeafPerTick)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            Calm(w);
            PushKey(SDL_KEYDOWN, SDLK_SPACE);
        }
        if (frame == 60) {
            EXPECT_EQ(60u, w.leaves->size());
            PushKey(SDL_KEYUP, SDLK_SPACE);
        }
        if (frame == 70) {
            EXPECT_EQ(60u, w.leaves->size());
            return false;
        }
        return true;
    });
}

TEST(Game, FlowsArriveWhenTheFlowTimerFires)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            for (Leaf* leaf : *w.leaves)
                delete leaf;
            w.leaves->clear();
            w.flowRate = 7;
            w.flowTimer->setTimeout(0.1f);
        }
        // The hook runs after the frame's clock has moved on: the timer starts
        // at the first tick of the next frame.
        if (frame == 7) {
            EXPECT_EQ(0u, w.leaves->size()) << "96 ms: not yet";
        }
        if (frame == 8) {
            EXPECT_EQ(7u, w.leaves->size()) << "112 ms: one flow of the chosen rate";
            EXPECT_GE(w.flowRate, 1);
            EXPECT_LE(w.flowRate, 10);
            return false;
        }
        return true;
    });
}

TEST(Game, NewLeavesStartAboveTheWindow)
{
    _LFSeedRandom(7);
    for (int i = 0; i < 200; i++) {
        Leaf leaf;
        EXPECT_EQ(-leaf.size.height, leaf.pos.y);
        EXPECT_GE(leaf.pos.x, 0);
        EXPECT_LE(leaf.pos.x, 640);
        EXPECT_EQ(0, leaf.vel.x);
        EXPECT_TRUE(leaf.vel.y == 0 || leaf.vel.y == 1 || leaf.vel.y == 0.2f) << leaf.vel.y;
        EXPECT_EQ(0, leaf.color.r);
        EXPECT_EQ(0, leaf.color.b);
    }
}

TEST(Game, LeavesOutsideTheWindowAreNotTested)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            Calm(w);
            ReplaceMask(w, MakeMask(640, 480, 255));  // ground everywhere
            AddStillLeaf(w, LFMakePoint(100, -2), 3);  // partly above
            AddStillLeaf(w, LFMakePoint(639, 100), 3);  // partly beyond the right edge
            AddStillLeaf(w, LFMakePoint(700, 100), 3);  // wholly beyond it
            AddStillLeaf(w, LFMakePoint(200, 200), 3);  // inside: lands on the ground
        }
        if (frame == 1) {
            EXPECT_EQ(3u, w.leaves->size());
            EXPECT_EQ(0u, w.pewpews->size());
            return false;
        }
        return true;
    });
}

TEST(Game, LeavesDieAtTheBottom)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            Calm(w);
            ReplaceMask(w, MakeMask(640, 480, 0));
            AddStillLeaf(w, LFMakePoint(700, 480), 3);  // beyond the edge, at the bottom
            AddStillLeaf(w, LFMakePoint(300, 476), 3);  // touching the bottom from inside
        }
        if (frame == 1) {
            EXPECT_EQ(1u, w.leaves->size());
            if (w.leaves->size() != 1)
                return false;
            EXPECT_EQ(476, w.leaves->front()->pos.y);
            return false;
        }
        return true;
    });
}

TEST(Game, ASmallMaskKillsLeavesBeyondIt)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            Calm(w);
            ReplaceMask(w, MakeMask(100, 100, 0));
            AddStillLeaf(w, LFMakePoint(50, 50), 2);
            AddStillLeaf(w, LFMakePoint(200, 50), 2);
        }
        if (frame == 1) {
            EXPECT_EQ(1u, w.leaves->size());
            if (w.leaves->size() != 1)
                return false;
            EXPECT_EQ(50, w.leaves->front()->pos.x);
            EXPECT_EQ(0u, w.pewpews->size()) << "dying on the mask makes no burst";
            return false;
        }
        return true;
    });
}

TEST(Game, LeafOnTheGroundOverTheCartDiesSilently)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            Calm(w);
            ReplaceMask(w, MakeMask(640, 480, 255));
            w.playerScore = 5;
            AddStillLeaf(w, LFMakePoint(w.cartPoint.x + 2, w.cartPoint.y + 2), 3);
            w.targetPoint = LFMakePoint(-100, -100);
            w.targetCable = 2;
            w.targetPerc = 1;
        }
        if (frame == 1) {
            EXPECT_EQ(0u, w.leaves->size());
            EXPECT_EQ(0u, w.pewpews->size());
            EXPECT_EQ(5, w.playerScore);
            return false;
        }
        return true;
    });
}

// Sets up two still leaves on the cart over a transparent mask, with the
// target far away; the score starts at the given value.
static void TwoLeavesOnTheCart(World& w, int score)
{
    Calm(w);
    ReplaceMask(w, MakeMask(640, 480, 0));
    w.playerScore = score;
    w.targetCable = 2;
    w.targetPerc = 1;
    w.targetPoint = LFMakePoint(-100, -100);
    AddStillLeaf(w, LFMakePoint(w.cartPoint.x + 1, w.cartPoint.y + 1), 2);
    AddStillLeaf(w, LFMakePoint(w.cartPoint.x + 5, w.cartPoint.y + 3), 2);
}

TEST(Game, LeavesHittingTheCartMakeBurstsAndCostPoints)
{
    RunGame([](World& w, int frame) {
        if (frame == 0)
            TwoLeavesOnTheCart(w, 5);
        if (frame == 1) {
            EXPECT_EQ(0u, w.leaves->size());
            EXPECT_EQ(2u, w.pewpews->size());
            if (w.pewpews->size() != 2)
                return false;
            EXPECT_EQ(w.cartPoint.x + 1, w.pewpews->front()->origin.x) << "bursts in list order";
            EXPECT_EQ(w.cartPoint.x + 5, w.pewpews->back()->origin.x);
            EXPECT_EQ(3, w.playerScore);
            return false;
        }
        return true;
    });
}

TEST(Game, TheScoreNeverStaysBelowZero)
{
    RunGame([](World& w, int frame) {
        if (frame == 0)
            TwoLeavesOnTheCart(w, 1);
        if (frame == 1) {
            EXPECT_EQ(0, w.playerScore) << "two hits at 1 end at 0";
            AddStillLeaf(w, LFMakePoint(w.cartPoint.x + 1, w.cartPoint.y + 1), 2);
        }
        if (frame == 2) {
            EXPECT_EQ(0, w.playerScore) << "a hit at 0 ends at 0";
            return false;
        }
        return true;
    });
}

TEST(Game, ReachingAndBeingHitInOneTickAddsUpBeforeTheClamp)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            TwoLeavesOnTheCart(w, 0);
            w.targetPoint = w.cartPoint;
        }
        if (frame == 1) {
            EXPECT_EQ(0, w.playerScore) << "0 + 1 - 2 clamps to 0";
            return false;
        }
        return true;
    });
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            TwoLeavesOnTheCart(w, 1);
            w.leaves->pop_back();
            w.targetPoint = w.cartPoint;
        }
        if (frame == 1) {
            EXPECT_EQ(1, w.playerScore) << "1 + 1 - 1";
            return false;
        }
        return true;
    });
}

TEST(Game, ATickBeforeTheFirstDrawReachesTheTargetAtTheOrigin)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            // The state before any draw: both points at the origin.
            w.cartPoint = LFZeroPoint;
            w.targetPoint = LFZeroPoint;
            w.playerScore = 0;
        }
        if (frame == 1) {
            EXPECT_EQ(1, w.playerScore);
            return false;
        }
        return true;
    });
}

TEST(Game, EveryTickOfAFrameOverTheOldTargetScores)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            Calm(w);
            w.playerScore = 0;
            w.targetPoint = w.cartPoint;
            TestClock::now += 16;  // two ticks in the next frame
        }
        if (frame == 1) {
            EXPECT_EQ(2, w.playerScore);
            return false;
        }
        return true;
    });
}

TEST(Game, NewTargetsNeverLandOnTheFirstHalfOfTheFirstCable)
{
    int reached = 0;
    RunGame([&](World& w, int frame) {
        if (frame == 0)
            _LFSeedRandom(11);
        Calm(w);
        if (frame > 0) {
            EXPECT_FALSE(w.targetCable == 0 && w.targetPerc < 0.5f) << w.targetPerc;
            EXPECT_GE(w.targetCable, 0);
            EXPECT_LE(w.targetCable, 2);
            reached = w.playerScore;
        }
        w.targetPoint = w.cartPoint;  // reached again in the next tick
        return frame < 300;
    });
    EXPECT_EQ(300, reached);
}

TEST(Game, BurstsEndingTogetherGoInTwoTicks)
{
    RunGame([](World& w, int frame) {
        if (frame == 0) {
            Calm(w);
            w.pewpews->push_back(new Pewpew(LFMakePoint(10, 10)));
            w.pewpews->push_back(new Pewpew(LFMakePoint(20, 20)));
            for (Pewpew* p : *w.pewpews)
                p->timer->setTimeout(0.01f);
        }
        if (frame == 1) {
            EXPECT_EQ(2u, w.pewpews->size()) << "no time has passed for them yet";
        }
        if (frame == 2) {
            EXPECT_EQ(1u, w.pewpews->size());
        }
        if (frame == 3) {
            EXPECT_EQ(0u, w.pewpews->size());
            return false;
        }
        return true;
    });
}

TEST(Game, BurstsLastOneOrTwoSeconds)
{
    TestClock::install(0);
    _LFSeedRandom(3);
    int seen[3] = {0, 0, 0};
    for (int i = 0; i < 100; i++) {
        Pewpew burst(LFZeroPoint);
        TestClock::now += 1000;
        float progress = burst.timer->progress();
        ASSERT_TRUE(progress == 1.0f || progress == 0.5f) << progress;
        seen[(int)(1 / progress)]++;
        burst.update();
        EXPECT_EQ(0, burst.done()) << "exactly at its lifetime a burst is not done";
        TestClock::now += 1001;
        burst.update();
        EXPECT_EQ(-1, burst.done());
    }
    EXPECT_GT(seen[1], 20);
    EXPECT_GT(seen[2], 20);
    TestClock::uninstall();
}

TEST(Game, TheMarqueeWrapsOnceItsTextHasLeft)
{
    RunGame([](World& w, int frame) {
        int ticks = frame;
        if (ticks == 640 + w.messageWidth) {
            EXPECT_EQ(-w.messageWidth, w.messagePos.x);
        }
        if (ticks == 640 + w.messageWidth + 1) {
            EXPECT_EQ(640, w.messagePos.x);
            return false;
        }
        return true;
    });
}

// The game started from a copy of its data directory with files taken away:
// its exit status and what it said on standard error.
struct StartResult {
    int status;
    std::string error;
    std::string directory;  // the game's, where it looks for data/
};

static StartResult StartWithout(std::initializer_list<const char*> missing)
{
    namespace fs = std::filesystem;
    fs::path game(WINDCART_EXE);
    fs::path dir = fs::path(::testing::TempDir()) / ("windcart-data-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy(game.parent_path() / "data", dir / "data", fs::copy_options::recursive);
    for (const char* file : missing)
        fs::remove(dir / "data" / file);

    fs::path workingDirectory = fs::current_path();
    std::string path = (dir / "windcart").string();
    char* argv[] = {&path[0], nullptr};
    TestClock::install(1000);
    ::testing::internal::CaptureStderr();
    int status = WindcartRun(1, argv, OnFrame);
    std::string error = ::testing::internal::GetCapturedStderr();
    TestClock::uninstall();
    fs::current_path(workingDirectory);
    std::string directory = fs::canonical(dir).string();
    fs::remove_all(dir);
    return {status, error, directory};
}

// The line that names a file the game could not load and where it looked.
static std::string CannotLoad(const char* file, const StartResult& start)
{
    return std::string("windcart: cannot load ./data/") + file + " (looked in " + start.directory + ")\n";
}

// Whichever files are missing, the start ends with the first in start-up
// order, and everything loaded so far is released (the sanitized run checks).
TEST(Game, AMissingFileEndsTheStartWithItsName)
{
    StartResult note = StartWithout({"notes/g#2.wav"});
    EXPECT_EQ(1, note.status);
    EXPECT_NE(std::string::npos, note.error.find(CannotLoad("notes/g#2.wav", note))) << note.error;

    StartResult ambience = StartWithout({"ambience.wav", "notes/c1.wav"});
    EXPECT_EQ(1, ambience.status);
    EXPECT_NE(std::string::npos, ambience.error.find(CannotLoad("ambience.wav", ambience))) << ambience.error;

    StartResult picture = StartWithout({"tower.png", "leaf.wav"});
    EXPECT_EQ(1, picture.status);
    EXPECT_NE(std::string::npos, picture.error.find(CannotLoad("tower.png", picture))) << picture.error;
    EXPECT_EQ(std::string::npos, picture.error.find("leaf.wav")) << picture.error;
}
