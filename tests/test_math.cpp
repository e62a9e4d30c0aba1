// Tests of the numeric helpers: powers of two, minimum, maximum and clamps.
#include <limits.h>  // INT_MAX, INT_MIN
#include <math.h>    // NAN, signbit, isnan

#include <gtest/gtest.h>

#include "Larchfield/LFMathUtilities.h"

TEST(NearestPowerOfTwo, ValuesUpToOneGiveOne)
{
    EXPECT_EQ(1, LFNearestPowerOfTwo(1));
    EXPECT_EQ(1, LFNearestPowerOfTwo(0));
    EXPECT_EQ(1, LFNearestPowerOfTwo(-3));
    EXPECT_EQ(1, LFNearestPowerOfTwo(INT_MIN));
}

TEST(NearestPowerOfTwo, RoundsUpToThePowerNotBelow)
{
    EXPECT_EQ(2, LFNearestPowerOfTwo(2));
    EXPECT_EQ(4, LFNearestPowerOfTwo(3));
    EXPECT_EQ(8, LFNearestPowerOfTwo(5));
    EXPECT_EQ(8, LFNearestPowerOfTwo(8));
    EXPECT_EQ(1024, LFNearestPowerOfTwo(640));
    EXPECT_EQ(512, LFNearestPowerOfTwo(480));
    EXPECT_EQ(2048, LFNearestPowerOfTwo(1025));
    for (int i = 1; i <= 30; i++) {
        int power = 1 << i;
        EXPECT_EQ(power, LFNearestPowerOfTwo(power)) << i;
        EXPECT_EQ(power, LFNearestPowerOfTwo(power / 2 + 1)) << i;
    }
}

TEST(NearestPowerOfTwo, ValuesAboveTwoToThe30GiveTwoToThe30)
{
    EXPECT_EQ(1073741824, LFNearestPowerOfTwo(1073741824));
    EXPECT_EQ(1073741824, LFNearestPowerOfTwo(1073741825));
    EXPECT_EQ(1073741824, LFNearestPowerOfTwo(2000000000));
    EXPECT_EQ(1073741824, LFNearestPowerOfTwo(INT_MAX));
}

TEST(MinMax, PickTheSmallerOrLarger)
{
    EXPECT_EQ(1.5f, LFMinf(1.5f, 2.5f));
    EXPECT_EQ(1.5f, LFMinf(2.5f, 1.5f));
    EXPECT_EQ(2.5f, LFMaxf(1.5f, 2.5f));
    EXPECT_EQ(2.5f, LFMaxf(2.5f, 1.5f));
    EXPECT_EQ(-4, LFMini(-4, 3));
    EXPECT_EQ(-4, LFMini(3, -4));
    EXPECT_EQ(3, LFMaxi(-4, 3));
    EXPECT_EQ(3, LFMaxi(3, -4));
    EXPECT_EQ(INT_MIN, LFMini(INT_MIN, INT_MAX));
    EXPECT_EQ(INT_MAX, LFMaxi(INT_MIN, INT_MAX));
    EXPECT_EQ(7, LFMini(7, 7));
    EXPECT_EQ(7, LFMaxi(7, 7));
}

TEST(MinMax, TiesAndNaNGiveTheSecond)
{
    // 0 and -0 tie, so the sign shows which argument came back.
    EXPECT_TRUE(signbit(LFMinf(0.0f, -0.0f)));
    EXPECT_FALSE(signbit(LFMinf(-0.0f, 0.0f)));
    EXPECT_TRUE(signbit(LFMaxf(0.0f, -0.0f)));
    EXPECT_FALSE(signbit(LFMaxf(-0.0f, 0.0f)));

    EXPECT_EQ(1.0f, LFMinf(NAN, 1.0f));
    EXPECT_TRUE(isnan(LFMinf(1.0f, NAN)));
    EXPECT_EQ(1.0f, LFMaxf(NAN, 1.0f));
    EXPECT_TRUE(isnan(LFMaxf(1.0f, NAN)));
}

TEST(Clamp, FloatsAreBroughtIntoRange)
{
    float value = 5;
    LFClampf(&value, 0, 10);
    EXPECT_EQ(5.0f, value);
    value = -1;
    LFClampf(&value, 0, 10);
    EXPECT_EQ(0.0f, value);
    value = 11;
    LFClampf(&value, 0, 10);
    EXPECT_EQ(10.0f, value);
    value = 0;
    LFClampf(&value, 0, 10);
    EXPECT_EQ(0.0f, value);
    value = 10;
    LFClampf(&value, 0, 10);
    EXPECT_EQ(10.0f, value);
    value = NAN;
    LFClampf(&value, 0, 10);
    EXPECT_TRUE(isnan(value));
}

TEST(Clamp, IntsAreBroughtIntoRange)
{
    int value = 5;
    LFClampi(&value, 0, 10);
    EXPECT_EQ(5, value);
    value = -1;
    LFClampi(&value, 0, 10);
    EXPECT_EQ(0, value);
    value = 11;
    LFClampi(&value, 0, 10);
    EXPECT_EQ(10, value);
    value = INT_MIN;
    LFClampi(&value, -3, 3);
    EXPECT_EQ(-3, value);
    value = INT_MAX;
    LFClampi(&value, -3, 3);
    EXPECT_EQ(3, value);
}

TEST(Clamp, LowBoundIsTestedFirstWhenBoundsAreCrossed)
{
    float valueBelow = 5;
    LFClampf(&valueBelow, 10, 0);
    EXPECT_EQ(10.0f, valueBelow);
    float valueAbove = 20;
    LFClampf(&valueAbove, 10, 0);
    EXPECT_EQ(0.0f, valueAbove);

    int intBelow = 5;
    LFClampi(&intBelow, 10, 0);
    EXPECT_EQ(10, intBelow);
    int intAbove = 20;
    LFClampi(&intAbove, 10, 0);
    EXPECT_EQ(0, intAbove);
}
