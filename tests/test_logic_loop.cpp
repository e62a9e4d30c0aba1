// The frame protocol: how many ticks each frame runs, what is dropped, and
// when the event queue is pumped. Time comes from the test clock.
#include "TestSupport.h"

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

TEST_F(LogicLoop, AStallIsCaughtUpInOneFrame)
{
    EXPECT_EQ(125, frame(2000));
    EXPECT_EQ(1, frame(16));
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
