// Tests of the random ranges. Every test seeds the library's generator and
// replays its sequence, so each result is checked against the draws behind it.
#include <float.h>   // FLT_MAX
#include <limits.h>  // INT_MAX, INT_MIN
#include <math.h>    // INFINITY, NAN, isfinite

#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "Larchfield/LFRandom.h"
#include "math/LFRandomPrivate.h"

namespace {

// The generator is glibc's on every system: its first numbers for two seeds,
// one of them past 2^31.
TEST(Random, TheGeneratorIsGlibcsOnEverySystem)
{
    _LFSeedRandom(1);
    EXPECT_EQ(1804289383, _LFRandom());
    EXPECT_EQ(846930886, _LFRandom());
    EXPECT_EQ(1681692777, _LFRandom());
    _LFSeedRandom(0);
    EXPECT_EQ(1804289383, _LFRandom()) << "seed 0 is taken as 1";
    _LFSeedRandom(4000000000u);
    EXPECT_EQ(1111130805, _LFRandom());
}

// The next count values of the library's generator after seeding it; it is
// seeded again, so the calls under test draw these same values.
std::vector<int> DrawsAfterSeed(unsigned seed, int count)
{
    _LFSeedRandom(seed);
    std::vector<int> draws;
    for (int i = 0; i < count; i++)
        draws.push_back(_LFRandom());
    _LFSeedRandom(seed);
    return draws;
}

// What the generator yields next, without losing it for the caller.
int PeekNextDraw(unsigned seed, int consumed)
{
    return DrawsAfterSeed(seed, consumed + 1)[consumed];
}

// LFRandomizef called many times, checked against an expected result for
// the two draws of each call; returns the second draw's remainders seen.
template <typename Expected>
std::set<int> CheckRandomizef(float low, float high, int divisor, Expected expected)
{
    const unsigned seed = 20240611;
    const int calls = 3000;
    std::vector<int> draws = DrawsAfterSeed(seed, 2 * calls + 1);
    std::set<int> seen;
    for (int i = 0; i < calls; i++) {
        int first = draws[2 * i];
        int second = draws[2 * i + 1];
        float result = LFRandomizef(low, high);
        EXPECT_FLOAT_EQ(expected(first, second % divisor), result)
            << "LFRandomizef(" << low << ", " << high << ") call " << i;
        seen.insert(second % divisor);
    }
    // Exactly two draws per call.
    EXPECT_EQ(draws[2 * calls], _LFRandom());
    return seen;
}

std::set<int> AllRemainders(int divisor)
{
    std::set<int> all;
    for (int k = 0; k < divisor; k++)
        all.insert(k);
    return all;
}

}  // namespace

TEST(Random, RandomizeSingleValueRange)
{
    std::vector<int> draws = DrawsAfterSeed(7, 3);
    EXPECT_EQ(3, LFRandomize(3, 3));
    EXPECT_EQ(-8, LFRandomize(-8, -8));
    EXPECT_EQ(draws[2], _LFRandom());  // still one draw per call
}

TEST(Random, RandomizeEmptyRangeGivesZeroWithoutDrawing)
{
    const unsigned seed = 11;
    int next = PeekNextDraw(seed, 0);
    _LFSeedRandom(seed);
    EXPECT_EQ(0, LFRandomize(5, 2));
    EXPECT_EQ(0, LFRandomize(INT_MAX, INT_MIN));
    EXPECT_EQ(next, _LFRandom());
}

TEST(Random, RandomizeIsLowPlusRemainderOfOneDraw)
{
    const int calls = 1000;
    std::vector<int> draws = DrawsAfterSeed(3, calls + 1);
    std::set<int> seen;
    for (int i = 0; i < calls; i++) {
        int result = LFRandomize(-1, 1);
        EXPECT_EQ(-1 + draws[i] % 3, result);
        seen.insert(result);
    }
    EXPECT_EQ(draws[calls], _LFRandom());
    EXPECT_EQ((std::set<int>{-1, 0, 1}), seen);

    draws = DrawsAfterSeed(4, 50);
    for (int i = 0; i < 50; i++)
        EXPECT_EQ(100 + draws[i] % 901, LFRandomize(100, 1000));
}

TEST(Random, RandomizeWidestRangesDoNotOverflow)
{
    std::vector<int> draws = DrawsAfterSeed(5, 3);
    // Every draw fits in the full int range, so it comes back offset.
    EXPECT_EQ(INT_MIN + draws[0], LFRandomize(INT_MIN, INT_MAX));
    EXPECT_EQ(INT_MAX - 1 + draws[1] % 2, LFRandomize(INT_MAX - 1, INT_MAX));
    EXPECT_EQ(-1 + (int)(draws[2] % 2147483649LL), LFRandomize(-1, INT_MAX));
}

TEST(Random, RandomizefCrossedBoundsGiveZeroWithoutDrawing)
{
    const unsigned seed = 13;
    int next = PeekNextDraw(seed, 0);
    _LFSeedRandom(seed);
    EXPECT_EQ(0.0f, LFRandomizef(2, 1));
    EXPECT_EQ(0.0f, LFRandomizef(0.5f, 0.4f));
    EXPECT_EQ(next, _LFRandom());
}

TEST(Random, RandomizefTableOfTheGamesCalls)
{
    // LFRandomizef(1, 2): 1.0 or 2.0 from the first draw.
    CheckRandomizef(1, 2, 1, [](int first, int) { return 1.0f + first % 2; });

    // LFRandomizef(0, 0.99): the hundred remainders of the second draw.
    std::set<int> seen = CheckRandomizef(0, 0.99f, 100, [](int, int k) {
        if (k == 0)
            return 0.0f;
        if (k == 1 || k == 10)
            return 1.0f;
        if (k < 10)
            return k / 10.0f;
        return k / 100.0f;  // 20 gives 0.2 like 2 does
    });
    EXPECT_EQ(AllRemainders(100), seen);

    // LFRandomizef(0.01, 0.2): three remainders.
    seen = CheckRandomizef(0.01f, 0.2f, 3, [](int, int k) {
        const float results[] = {0.0f, 1.0f, 0.2f};
        return results[k];
    });
    EXPECT_EQ(AllRemainders(3), seen);

    // LFRandomizef(0.01, 0.03): always 0.
    CheckRandomizef(0.01f, 0.03f, 1, [](int, int) { return 0.0f; });

    // LFRandomizef(0.8, 1): integer part 0 or 1, seven fractions (rander -7).
    seen = CheckRandomizef(0.8f, 1, 7, [](int first, int k) {
        const float fractions[] = {0.8f, 0.9f, 1.0f, 0.11f, 0.12f, 0.13f, 0.14f};
        return (float)(first % 2) + fractions[k];
    });
    EXPECT_EQ(AllRemainders(7), seen);

    // LFRandomizef(0.1, 0.5): five remainders starting from digit 1.
    seen = CheckRandomizef(0.1f, 0.5f, 5, [](int, int k) {
        const float results[] = {1.0f, 0.2f, 0.3f, 0.4f, 0.5f};
        return results[k];
    });
    EXPECT_EQ(AllRemainders(5), seen);
}

TEST(Random, RandomizefZeroToNinetyNineHundredthsGivesOneTwice)
{
    // Remainders 1 and 10 both give 1.0, above the high bound; 2 and 20 both give 0.2.
    std::vector<int> draws = DrawsAfterSeed(17, 2000);
    int ones = 0;
    for (int i = 0; i < 1000; i++) {
        float result = LFRandomizef(0, 0.99f);
        int k = draws[2 * i + 1] % 100;
        if (k == 1 || k == 10) {
            EXPECT_EQ(1.0f, result);
            ones++;
        } else {
            EXPECT_LT(result, 1.0f);
        }
        if (k == 2 || k == 20) {
            EXPECT_FLOAT_EQ(0.2f, result);
        }
        if (k == 0) {
            EXPECT_EQ(0.0f, result);
        }
    }
    EXPECT_GT(ones, 0);
}

TEST(Random, RandomizefScalesDrawnDigitsDownInDoublePrecision)
{
    // Scaling by 0.1 in double lands on the nearest float of these decimals;
    // scaling in single precision would miss each by one step.
    const int calls = 3000;
    std::vector<int> draws = DrawsAfterSeed(41, 2 * calls);
    std::set<int> checked;
    for (int i = 0; i < calls; i++) {
        float result = LFRandomizef(0, 0.99f);
        int k = draws[2 * i + 1] % 100;
        if (k == 9)
            EXPECT_EQ(0.9f, result);
        else if (k == 11)
            EXPECT_EQ(0.11f, result);
        else if (k == 57)
            EXPECT_EQ(0.57f, result);
        else if (k == 84)
            EXPECT_EQ(0.84f, result);
        else
            continue;
        checked.insert(k);
    }
    EXPECT_EQ((std::set<int>{9, 11, 57, 84}), checked);
}

TEST(Random, RandomizefSimpleBounds)
{
    CheckRandomizef(0.5f, 0.6f, 2, [](int, int k) { return k ? 0.6f : 0.5f; });
    CheckRandomizef(0, 1, 1, [](int first, int) { return (float)(first % 2); });
    CheckRandomizef(-3, 4, 1, [](int first, int) { return (float)(-3 + first % 8); });
    // A negative fraction gives negative digits, which are not scaled back.
    CheckRandomizef(-0.5f, 0, 6, [](int, int k) { return (float)(-5 + k); });
}

TEST(Random, RandomizefBoundsBeyondFourDecimalsAreCut)
{
    // 0.00005 cuts to 0, so only the integer part varies.
    CheckRandomizef(0.00005f, 0.00009f, 1, [](int, int) { return 0.0f; });
    CheckRandomizef(2.00001f, 3.00009f, 1, [](int first, int) { return 2.0f + first % 2; });
    // The fifth decimal is gone before the digits are read.
    CheckRandomizef(0.99999f, 0.99999f, 1, [](int, int) { return 0.9999f; });
    CheckRandomizef(0.12345f, 0.12345f, 1, [](int, int) { return 0.1234f; });
}

TEST(Random, RandomizefEndlessDigitRunsAreCut)
{
    // 0.12 never scales to a multiple of ten in single precision; its run
    // stops at the edge of the int range and still reads back as 0.12.
    std::vector<int> draws = DrawsAfterSeed(19, 7);
    EXPECT_NEAR(0.12f, LFRandomizef(0.12f, 0.12f), 1e-6f);
    EXPECT_NEAR(0.333f, LFRandomizef(0.333f, 0.333f), 1e-6f);
    float wide = LFRandomizef(0, 0.12f);
    EXPECT_GE(wide, 0.0f);
    EXPECT_LE(wide, 1.0f);
    EXPECT_EQ(draws[6], _LFRandom());
}

TEST(Random, RandomizefLargeBoundsReturn)
{
    std::vector<int> draws = DrawsAfterSeed(23, 5);
    EXPECT_EQ((float)(draws[0] % 1000000001), LFRandomizef(0, 1e9f));
    EXPECT_EQ(1e9f, LFRandomizef(1e9f, 1e9f));
    EXPECT_EQ(draws[4], _LFRandom());

    // Bounds beyond the int range are held to it rather than overflowing.
    for (float high : {3e9f, 1e20f, FLT_MAX, INFINITY}) {
        float result = LFRandomizef(-high, high);
        EXPECT_GE(result, (float)INT_MIN) << high;
        EXPECT_LE(result, (float)INT_MAX) << high;
    }
    EXPECT_EQ((float)INT_MAX, LFRandomizef(1e20f, 1e20f));
    EXPECT_EQ((float)INT_MIN, LFRandomizef(-1e20f, -1e20f));
}

TEST(Random, RandomizefManyBoundsAllReturn)
{
    // Every bound with up to four decimals in a sweep ends its digit runs.
    _LFSeedRandom(29);
    for (int i = -20000; i <= 20000; i += 7) {
        float bound = i / 10000.0f;
        EXPECT_TRUE(isfinite(LFRandomizef(bound, bound))) << bound;
    }
    // NaN bounds are not ordered, so they draw, and still return.
    LFRandomizef(NAN, NAN);
    LFRandomizef(NAN, 1);
}
