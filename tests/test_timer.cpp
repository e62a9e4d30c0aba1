// The real-time timer, driven by a hand-set clock: fixed and random timeouts,
// strict expiry, restarts, progress and the wrap of the millisecond counter.
#include <math.h>    // isnan, isinf

#include <set>
#include <vector>

#include "TestSupport.h"
#include "math/LFRandomPrivate.h"

namespace {

class Timer : public ::testing::Test {
protected:
    void SetUp() override { TestClock::install(1000); }
    void TearDown() override { TestClock::uninstall(); }

    static void advance(Uint32 milliseconds) { TestClock::now += milliseconds; }
};

// The timeouts LFRandomizef(1, 3) gives for `count` restarts after
// _LFSeedRandom(seed): the integer part is 1 + the first draw modulo 3, and the
// second draw of each call adds no fraction (both bounds are whole).
std::vector<int> WholeTimeoutsFromOneToThree(unsigned int seed, int count)
{
    std::vector<int> timeouts;
    _LFSeedRandom(seed);
    for (int i = 0; i < count; i++) {
        int first = _LFRandom();
        _LFRandom();
        timeouts.push_back(1 + first % 3);
    }
    return timeouts;
}

TEST_F(Timer, DefaultTimerHasZeroTimeoutAndStartsNow)
{
    LFRealTimeTimer timer;
    EXPECT_EQ(0.0f, timer.elapsedTime());
    EXPECT_EQ(0, timer.tick());
    advance(1);
    EXPECT_EQ(-1, timer.tick());
}

TEST_F(Timer, TimeoutConstructorStartsNow)
{
    advance(5000);
    LFRealTimeTimer timer(0.5f);
    EXPECT_EQ(0.0f, timer.elapsedTime());
    advance(500);
    EXPECT_EQ(0, timer.tick());
    advance(1);
    EXPECT_EQ(-1, timer.tick());
}

TEST_F(Timer, ElapsedTimeIsSecondsSinceStart)
{
    LFRealTimeTimer timer(10);
    advance(1234);
    EXPECT_FLOAT_EQ(1.234f, timer.elapsedTime());
    advance(766);
    EXPECT_FLOAT_EQ(2.0f, timer.elapsedTime());
    // Reading the elapsed time does not restart the timer.
    EXPECT_FLOAT_EQ(2.0f, timer.elapsedTime());
}

TEST_F(Timer, TickAtExactlyTheTimeoutDoesNotFire)
{
    LFRealTimeTimer timer(0.02f);
    advance(20);
    EXPECT_EQ(0, timer.tick());
    advance(1);
    EXPECT_EQ(-1, timer.tick());

    LFRealTimeTimer oneSecond(1);
    advance(1000);
    EXPECT_EQ(0, oneSecond.tick());
    advance(1);
    EXPECT_EQ(-1, oneSecond.tick());
}

TEST_F(Timer, ZeroTimeoutFiresOnEveryPollAMillisecondApart)
{
    LFRealTimeTimer timer(0);
    EXPECT_EQ(0, timer.tick());
    for (int poll = 0; poll < 5; poll++) {
        advance(1);
        EXPECT_EQ(-1, timer.tick()) << poll;
        EXPECT_EQ(0, timer.tick()) << poll;
    }
}

TEST_F(Timer, NegativeTimeoutBecomesZero)
{
    LFRealTimeTimer timer(5);
    timer.setTimeout(-2);
    // A timeout of -2 would already have expired at the start.
    EXPECT_EQ(0, timer.tick());
    advance(1);
    EXPECT_EQ(-1, timer.tick());
    EXPECT_EQ(0, timer.tick());

    LFRealTimeTimer constructed(-1);
    EXPECT_EQ(0, constructed.tick());
}

// No elapsed time exceeds NaN: such a timer never fired.
TEST_F(Timer, NaNTimeoutFiresLikeZero)
{
    LFRealTimeTimer timer(NAN);
    EXPECT_EQ(0, timer.tick());
    advance(1);
    EXPECT_EQ(-1, timer.tick());
    timer.setTimeout(5);
    timer.setTimeout(NAN);
    advance(1);
    EXPECT_EQ(-1, timer.tick());
    advance(1);
    EXPECT_EQ(-1, timer.tick()) << "the restart keeps a timeout of 0";
}

TEST_F(Timer, LeafStepPolledEverySixteenMillisecondsFiresEverySecondPoll)
{
    LFRealTimeTimer timer(0.02f);
    for (int poll = 1; poll <= 20; poll++) {
        advance(16);
        int expected = poll % 2 == 0 ? -1 : 0;
        EXPECT_EQ(expected, timer.tick()) << poll;
    }
}

TEST_F(Timer, FiringRestartsFromThePollAndDropsOvershoot)
{
    LFRealTimeTimer timer(0.1f);
    advance(350);
    EXPECT_EQ(-1, timer.tick());
    EXPECT_EQ(0, timer.tick());
    EXPECT_EQ(0.0f, timer.elapsedTime());
    advance(100);
    EXPECT_EQ(0, timer.tick());
    advance(1);
    EXPECT_EQ(-1, timer.tick());
}

TEST_F(Timer, SetTimeoutRestarts)
{
    LFRealTimeTimer timer(1);
    advance(900);
    timer.setTimeout(0.5f);
    EXPECT_EQ(0.0f, timer.elapsedTime());
    advance(500);
    EXPECT_EQ(0, timer.tick());
    advance(1);
    EXPECT_EQ(-1, timer.tick());
}

TEST_F(Timer, ResetKeepsFixedTimeout)
{
    LFRealTimeTimer timer(0.5f);
    advance(400);
    timer.reset();
    EXPECT_EQ(0.0f, timer.elapsedTime());
    advance(500);
    EXPECT_EQ(0, timer.tick());
    advance(1);
    EXPECT_EQ(-1, timer.tick());
    // The firing restart keeps the same timeout.
    advance(500);
    EXPECT_EQ(0, timer.tick());
    advance(1);
    EXPECT_EQ(-1, timer.tick());
}

TEST_F(Timer, ProgressIsElapsedOverTimeoutUnclamped)
{
    LFRealTimeTimer timer(2);
    EXPECT_EQ(0.0f, timer.progress());
    advance(500);
    EXPECT_FLOAT_EQ(0.25f, timer.progress());
    advance(3500);
    EXPECT_FLOAT_EQ(2.0f, timer.progress());
    EXPECT_EQ(-1, timer.tick());
    EXPECT_EQ(0.0f, timer.progress());
}

TEST_F(Timer, ProgressWithZeroTimeoutDividesByZero)
{
    LFRealTimeTimer timer;
    EXPECT_TRUE(isnan(timer.progress()));
    advance(1);
    float progress = timer.progress();
    EXPECT_TRUE(isinf(progress));
    EXPECT_GT(progress, 0.0f);
}

TEST_F(Timer, RandomModeDrawsANewTimeoutAtEveryRestart)
{
    const unsigned int seed = 12345;
    const int restarts = 12;
    std::vector<int> timeouts = WholeTimeoutsFromOneToThree(seed, restarts + 1);
    // The seed must give more than one timeout, or drawing is not tested.
    ASSERT_GT(std::set<int>(timeouts.begin(), timeouts.end()).size(), 1u);

    _LFSeedRandom(seed);
    LFRealTimeTimer timer;
    timer.setMinMaxTimeout(1, 3);
    for (int i = 0; i < restarts; i++) {
        advance(600);
        EXPECT_FLOAT_EQ(0.6f / timeouts[i], timer.progress()) << i;
        advance(timeouts[i] * 1000 - 600);
        EXPECT_EQ(0, timer.tick()) << i;
        advance(1);
        EXPECT_EQ(-1, timer.tick()) << i;
    }
    // Exactly two draws were made per restart.
    _LFSeedRandom(seed);
    for (int i = 0; i < 2 * restarts; i++)
        _LFRandom();
    int next = _LFRandom();
    _LFSeedRandom(seed);
    timer.setMinMaxTimeout(1, 3);
    for (int i = 1; i < restarts; i++)
        timer.reset();
    EXPECT_EQ(next, _LFRandom());
}

TEST_F(Timer, ResetKeepsRandomMode)
{
    const unsigned int seed = 99;
    std::vector<int> timeouts = WholeTimeoutsFromOneToThree(seed, 2);
    _LFSeedRandom(seed);
    LFRealTimeTimer timer;
    timer.setMinMaxTimeout(1, 3);
    advance(200);
    timer.reset();
    EXPECT_EQ(0.0f, timer.elapsedTime());
    advance(600);
    EXPECT_FLOAT_EQ(0.6f / timeouts[1], timer.progress());
}

TEST_F(Timer, SetMinMaxTimeoutRestarts)
{
    LFRealTimeTimer timer(5);
    advance(3000);
    timer.setMinMaxTimeout(1, 1);
    EXPECT_EQ(0.0f, timer.elapsedTime());
}

TEST_F(Timer, MinAboveMaxBecomesTheMax)
{
    _LFSeedRandom(1);
    LFRealTimeTimer timer;
    timer.setMinMaxTimeout(3, 1);
    // As setMinMaxTimeout(1, 1): always one second, whatever is drawn.
    for (int restart = 0; restart < 5; restart++) {
        advance(500);
        EXPECT_FLOAT_EQ(0.5f, timer.progress()) << restart;
        advance(500);
        EXPECT_EQ(0, timer.tick()) << restart;
        advance(1);
        EXPECT_EQ(-1, timer.tick()) << restart;
    }
}

TEST_F(Timer, SetTimeoutAfterRandomModeReturnsToFixed)
{
    const unsigned int seed = 2024;
    _LFSeedRandom(seed);
    LFRealTimeTimer timer;
    timer.setMinMaxTimeout(1, 3);
    timer.setTimeout(0.25f);
    for (int firing = 0; firing < 4; firing++) {
        advance(250);
        EXPECT_EQ(0, timer.tick()) << firing;
        advance(1);
        EXPECT_EQ(-1, timer.tick()) << firing;
    }
    timer.reset();
    advance(250);
    EXPECT_EQ(0, timer.tick());
    // Only the one random draw was made: fixed restarts draw nothing.
    _LFSeedRandom(seed);
    _LFRandom();
    _LFRandom();
    int next = _LFRandom();
    _LFSeedRandom(seed);
    LFRealTimeTimer probe;
    probe.setMinMaxTimeout(1, 3);
    probe.setTimeout(0.25f);
    for (int i = 0; i < 3; i++)
        probe.reset();
    EXPECT_EQ(next, _LFRandom());
}

TEST_F(Timer, ElapsedTimeIsExactAcrossTheCounterWrap)
{
    TestClock::install(0xFFFFFF00u);
    LFRealTimeTimer timer(0.5f);
    advance(0x100);
    EXPECT_EQ(0u, TestClock::now);
    EXPECT_FLOAT_EQ(0.256f, timer.elapsedTime());
    advance(244);
    EXPECT_FLOAT_EQ(0.5f, timer.elapsedTime());
    EXPECT_EQ(0, timer.tick());
    advance(1);
    EXPECT_EQ(-1, timer.tick());
    EXPECT_EQ(0.0f, timer.elapsedTime());
    advance(100);
    EXPECT_FLOAT_EQ(0.1f, timer.elapsedTime());
}

TEST_F(Timer, ElapsedTimeIsExactAcrossTheSignedBoundary)
{
    TestClock::install(0x7FFFFF00u);
    LFRealTimeTimer timer(1);
    advance(0x200);
    EXPECT_FLOAT_EQ(0.512f, timer.elapsedTime());
    EXPECT_FLOAT_EQ(0.512f, timer.progress());
}

}  // namespace
