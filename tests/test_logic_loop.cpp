// The frame protocol: how many ticks each frame runs, what is dropped, and
// when the event queue is pumped. Time comes from the test clock.
#include <algorithm>  // std::min, std::max

#include "TestSupport.h"
#include "input/LFMousePrivate.h"
#include "string/LFStringPrivate.h"
#include "timing/LFLogicTimingPrivate.h"

class LogicLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(0, LFInit()) << LFError();
        TestClock::install(5000);
        LFResetLogicLoop();
    }

    void TearDown() override
    {
        TestClock::uninstall();
        LFDeInit();
    }

    // Advances the clock, runs one frame and returns how many ticks it ran.
    int frame(Uint32 advanceMs)
    {
        TestClock::now += advanceMs;
        LFPreLogicLoop();
        int ticks = 0;
        while (LFLogicLoop()) {
            ticks++;
            LFLogicUpdate();
        }
        LFPostLogicLoop();
        return ticks;
    }
};

TEST_F(LogicLoop, SetLogicIntervalClampsTheRate)
{
    LFSetLogicInterval(0);
    EXPECT_EQ(1u, LFLogicInterval());
    EXPECT_EQ(1000u, _LFLogicTimeRequiredPerLogicCycle);
    LFSetLogicInterval(5000);
    EXPECT_EQ(1000u, LFLogicInterval());
    EXPECT_EQ(1u, _LFLogicTimeRequiredPerLogicCycle);
    LFSetLogicInterval(60);
    EXPECT_EQ(60u, LFLogicInterval());
    EXPECT_EQ(16u, _LFLogicTimeRequiredPerLogicCycle);
    LFSetLogicInterval(1000);
    EXPECT_EQ(1u, _LFLogicTimeRequiredPerLogicCycle);
}

TEST_F(LogicLoop, InitSetsSixtyCyclesPerSecond)
{
    EXPECT_EQ(60u, LFLogicInterval());
    EXPECT_EQ(16u, _LFLogicTimeRequiredPerLogicCycle);
}

TEST_F(LogicLoop, FortyMillisecondFramesRunTwoTicksAndDropTheRest)
{
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(2, frame(40)) << "frame " << i;
        EXPECT_EQ(0u, _LFLogicTimeElapsed) << "the 8 ms left over are dropped";
    }
}

TEST_F(LogicLoop, TenMillisecondFramesAlternateNoTickAndOne)
{
    for (int i = 0; i < 6; i++) {
        EXPECT_EQ(0, frame(10));
        EXPECT_EQ(10u, _LFLogicTimeElapsed) << "time below one cycle carries over";
        EXPECT_EQ(1, frame(10));
    }
}

TEST_F(LogicLoop, AStallIsCaughtUpInOneFrameToAQuarterSecond)
{
    EXPECT_EQ(6, frame(100)) << "slow frames lose nothing";
    EXPECT_EQ(15, frame(240));
    EXPECT_EQ(15, frame(2000)) << "250 ms at most";
    EXPECT_EQ(0u, _LFLogicTimeElapsed);
    EXPECT_EQ(1, frame(16)) << "then on from the present";
}

// A machine suspended for an hour, a replayed clock step of 2^31 ms, a clock
// that steps back: each costs one frame of 15 ticks, not millions, and the
// frames after it run as before.
TEST_F(LogicLoop, AClockJumpIsNotCaughtUp)
{
    for (Uint32 jump : {3600000u, 0x80000000u, 0xFFFFFFFFu, 0xFFFFFFF0u}) {
        EXPECT_EQ(15, frame(jump)) << jump;
        EXPECT_EQ(2, frame(40)) << jump;
        EXPECT_EQ(0, frame(10)) << jump;
        EXPECT_EQ(1, frame(10)) << jump;
    }
    // The cap is never shorter than a cycle, nor longer than 250 ms.
    LFSetLogicInterval(1);
    EXPECT_EQ(1, frame(0x80000000u));
    EXPECT_EQ(0, frame(999));
    EXPECT_EQ(1, frame(1));
    LFSetLogicInterval(1000);
    EXPECT_EQ(250, frame(0x80000000u));
    EXPECT_EQ(3, frame(3));
}

TEST_F(LogicLoop, ResetDiscardsTimeAlreadyPassed)
{
    TestClock::now += 5000;
    LFResetLogicLoop();
    EXPECT_EQ(0, frame(15));
    EXPECT_EQ(1, frame(1));
}

TEST_F(LogicLoop, TheTickCounterWrapIsAbsorbed)
{
    TestClock::now = 0xFFFFFFF0u;
    LFResetLogicLoop();
    EXPECT_EQ(2, frame(32));
    EXPECT_EQ(0x10u, _LFLogicCurrentTime);
}

TEST_F(LogicLoop, FrameTimeRunsFromFrameStartToFrameStart)
{
    frame(16);
    EXPECT_EQ(TestClock::now, _LFLogicLastTime);
    EXPECT_EQ(TestClock::now, _LFLogicCurrentTime);
}

TEST_F(LogicLoop, LogicLoopWithoutDueCyclesReturnsFalse)
{
    LFPreLogicLoop();
    EXPECT_EQ(0, LFLogicLoop());
    LFLogicUpdate();  // with no cycle due it counts nothing down
    EXPECT_EQ(0u, _LFLogicCurrentCycles);
}

TEST_F(LogicLoop, AFrameWithoutTicksDoesNotPumpEvents)
{
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_EQ(0, frame(5));
    EXPECT_EQ(0, LFApplicationQuitRequested());
    EXPECT_EQ(1, frame(11));
    EXPECT_NE(0, LFApplicationQuitRequested());
}

TEST_F(LogicLoop, TemporaryStringsLiveUntilTheEndOfTheTick)
{
    TestClock::now += 16;
    LFPreLogicLoop();
    ASSERT_NE(0, LFLogicLoop());
    LFTempString("one");
    LFTempString("two");
    EXPECT_EQ(2, _LFTempStringCount());
    LFLogicUpdate();
    EXPECT_EQ(0, _LFTempStringCount());
    LFPostLogicLoop();
}

TEST_F(LogicLoop, PostLogicLoopClearsTheWheelFlags)
{
    _LFMouseButtonWheelUp = -1;
    _LFMouseButtonWheelDown = -1;
    _LFMouseButtonWheelLeft = -1;
    _LFMouseButtonWheelRight = -1;
    frame(16);
    EXPECT_EQ(0, _LFMouseButtonWheelUp);
    EXPECT_EQ(0, _LFMouseButtonWheelDown);
    EXPECT_EQ(0, _LFMouseButtonWheelLeft);
    EXPECT_EQ(0, _LFMouseButtonWheelRight);
}

// ---------------------------------------------------------------------------
// Frame-rate limit

// Frames whose own work (ticks, drawing) takes workMs of the clock, run until
// durationMs have passed: how many frames started and how many ticks ran, and
// the shortest and longest time between two frame starts.
struct LimitedRun {
    int frames = 0;
    int ticks = 0;
    Uint32 shortest = 0xFFFFFFFFu;
    Uint32 longest = 0;
};

static LimitedRun RunFrames(Uint32 durationMs, Uint32 workMs)
{
    LimitedRun run;
    Uint32 end = TestClock::now + durationMs;
    Uint32 lastStart = 0;
    while ((Sint32)(TestClock::now - end) < 0) {
        LFPreLogicLoop();
        if (run.frames > 0) {
            run.shortest = std::min(run.shortest, _LFLogicCurrentTime - lastStart);
            run.longest = std::max(run.longest, _LFLogicCurrentTime - lastStart);
        }
        lastStart = _LFLogicCurrentTime;
        while (LFLogicLoop()) {
            run.ticks++;
            LFLogicUpdate();
        }
        LFPostLogicLoop();
        run.frames++;
        TestClock::now += workMs;
    }
    return run;
}

// A wait that always lasts a millisecond longer than asked, as real sleeps do.
static void Oversleep(Uint32 ms)
{
    TestClock::delay(ms + 1);
}

TEST_F(LogicLoop, WithoutALimitFramesNeverWait)
{
    EXPECT_EQ(0u, LFFrameRateLimit());
    LimitedRun run = RunFrames(1000, 1);
    EXPECT_EQ(1000, run.frames);
    EXPECT_EQ(62, run.ticks);
    EXPECT_EQ(0u, TestClock::slept);

    LFSetFrameRateLimit(125);
    LFSetFrameRateLimit(0);
    EXPECT_EQ(0u, LFFrameRateLimit());
    EXPECT_EQ(1000, RunFrames(1000, 1).frames);
    EXPECT_EQ(0u, TestClock::slept);
}

TEST_F(LogicLoop, ALimitSpacesFrameStartsAndTicksKeepTheLogicRate)
{
    // 8 ms frames divide the 16 ms cycle: a tick every second frame, none lost.
    LFSetFrameRateLimit(125);
    EXPECT_EQ(125u, LFFrameRateLimit());
    LimitedRun run = RunFrames(8000, 3);
    EXPECT_EQ(1000, run.frames);
    EXPECT_EQ(500, run.ticks) << "62.5 ticks a second";
    EXPECT_EQ(8u, run.shortest);
    EXPECT_EQ(8u, run.longest);
    EXPECT_EQ(8 + 999u * 5, TestClock::slept) << "8 ms from the last start, then the rest of each 8 ms";

    // Sleeps that overshoot do not push the frames back.
    _LFSetDelayFunction(Oversleep);
    run = RunFrames(8000, 3);
    EXPECT_EQ(1000, run.frames);
    EXPECT_EQ(500, run.ticks);
    EXPECT_EQ(8u, run.shortest);
    EXPECT_EQ(8u, run.longest);
    _LFSetDelayFunction(TestClock::delay);

    // 1000 / 63 rounds up to 16 ms, the cycle itself: one tick in every frame.
    LFSetFrameRateLimit(63);
    run = RunFrames(8000, 3);
    EXPECT_EQ(run.frames, run.ticks);
    EXPECT_EQ(16u, run.shortest);
    EXPECT_EQ(16u, run.longest);

    // 1000 / 60 rounds up to 17 ms: never more often than 60 a second, and a
    // millisecond of every tick is dropped.
    LFSetFrameRateLimit(60);
    run = RunFrames(1700, 3);
    EXPECT_EQ(run.frames, run.ticks);
    EXPECT_EQ(17u, run.shortest);
    EXPECT_EQ(17u, run.longest);
}

TEST_F(LogicLoop, ALateFrameStartsAtOnceAndIsNotMadeUpFor)
{
    LFSetFrameRateLimit(125);
    RunFrames(80, 3);
    TestClock::now += 27;  // that last frame took 30 ms
    Uint32 late = TestClock::now;
    TestClock::slept = 0;
    EXPECT_EQ(1, frame(0));
    EXPECT_EQ(0u, TestClock::slept) << "the next frame starts at once";
    EXPECT_EQ(late, _LFLogicCurrentTime);

    TestClock::now += 3;
    LimitedRun run = RunFrames(800, 3);
    EXPECT_EQ(100, run.frames) << "8 ms apart from the late frame on: no burst to catch up";
    EXPECT_EQ(8u, run.shortest);
    EXPECT_EQ(late + 800, _LFLogicCurrentTime);
}

// A clock that steps back would put the next frame far ahead: it starts at
// once, without waiting for the clock to come back, and the frames after it
// keep their spacing.
TEST_F(LogicLoop, UnderALimitAClockThatStepsBackIsNotWaitedFor)
{
    LFSetFrameRateLimit(125);
    RunFrames(80, 3);
    for (Uint32 back : {1000u, 0x80000000u}) {
        TestClock::now -= back;
        TestClock::slept = 0;
        Uint32 start = TestClock::now;
        EXPECT_EQ(15, frame(0)) << "a step back counts as a long stall";
        EXPECT_EQ(0u, TestClock::slept) << back;
        EXPECT_EQ(start, _LFLogicCurrentTime) << back;
        LimitedRun run = RunFrames(800, 3);
        EXPECT_EQ(100, run.frames) << back;
        EXPECT_EQ(8u, run.shortest) << back;
        EXPECT_EQ(8u, run.longest) << back;
    }
}

TEST_F(LogicLoop, ANewLimitSpacesTheNextFrameFromTheLastStart)
{
    frame(16);
    Uint32 lastStart = _LFLogicLastTime;
    LFSetFrameRateLimit(10);
    TestClock::now += 20;
    LFPreLogicLoop();
    EXPECT_EQ(lastStart + 100, _LFLogicCurrentTime);
    EXPECT_EQ(lastStart + 100, TestClock::now);
    EXPECT_EQ(6, (int)_LFLogicCurrentCycles) << "ticks are counted from the frame's start";
}

TEST_F(LogicLoop, ResetMakesTheNextFrameDueAtOnce)
{
    LFSetFrameRateLimit(125);
    RunFrames(80, 3);
    TestClock::now += 2;
    LFResetLogicLoop();
    TestClock::slept = 0;
    LFPreLogicLoop();
    EXPECT_EQ(0u, TestClock::slept);
    EXPECT_EQ(TestClock::now, _LFLogicCurrentTime);
}
