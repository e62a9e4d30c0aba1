// Tests of the plane geometry: rectangles, equality, text forms, the
// direction rules and the parametric points on a line and a circle.
#include <math.h>    // NAN, sinf

#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "Larchfield/LF2DPrimitives.h"
#include "Larchfield/LFRandom.h"
#include "Larchfield/LFString.h"
#include "math/LFRandomPrivate.h"
#include "string/LFStringPrivate.h"

namespace {

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

const LFDirection kAllDirections[] = {
    LFDirectionNone, LFDirectionLeft, LFDirectionUp, LFDirectionDown, LFDirectionRight,
    LFDirectionDownLeft, LFDirectionDownRight, LFDirectionUpLeft, LFDirectionUpRight
};

// Values outside -1..7.
const LFDirection kOutOfRange[] = {(LFDirection)-2, (LFDirection)8, (LFDirection)1000};

}  // namespace

// Temporary strings made by a test are released when it ends.
class GeometryText : public ::testing::Test {
protected:
    void TearDown() override { _LFCleanTempStrings(); }
};

TEST(Geometry, ZeroConstantsAreAllZero)
{
    EXPECT_EQ(0.0f, LFZeroPoint.x);
    EXPECT_EQ(0.0f, LFZeroPoint.y);
    EXPECT_EQ(0.0f, LFZeroSize.width);
    EXPECT_EQ(0.0f, LFZeroSize.height);
    EXPECT_EQ(1, LFEqualRects(LFZeroRect, LFMakeRect(0, 0, 0, 0)));
}

TEST(Geometry, MakersFillEveryField)
{
    LFRect rect = LFMakeRect(LFMakePoint(1, 2), LFMakeSize(3, 4));
    EXPECT_EQ(1.0f, rect.origin.x);
    EXPECT_EQ(2.0f, rect.origin.y);
    EXPECT_EQ(3.0f, rect.size.width);
    EXPECT_EQ(4.0f, rect.size.height);
    EXPECT_EQ(1, LFEqualRects(rect, LFMakeRect(1, 2, 3, 4)));
}

TEST(Geometry, EqualityIsExactAndGivesOne)
{
    EXPECT_EQ(1, LFEqualPoints(LFMakePoint(1.5f, -2), LFMakePoint(1.5f, -2)));
    EXPECT_EQ(0, LFEqualPoints(LFMakePoint(1.5f, -2), LFMakePoint(1.5f, -2.0001f)));
    EXPECT_EQ(0, LFEqualPoints(LFMakePoint(1, 0), LFMakePoint(0, 0)));
    EXPECT_EQ(1, LFEqualPoints(LFMakePoint(0.0f, 0), LFMakePoint(-0.0f, 0)));
    EXPECT_EQ(0, LFEqualPoints(LFMakePoint(NAN, 0), LFMakePoint(NAN, 0)));

    EXPECT_EQ(1, LFEqualSizes(LFMakeSize(640, 480), LFMakeSize(640, 480)));
    EXPECT_EQ(0, LFEqualSizes(LFMakeSize(640, 480), LFMakeSize(480, 640)));
    EXPECT_EQ(0, LFEqualSizes(LFMakeSize(640, NAN), LFMakeSize(640, NAN)));

    LFRect rect = LFMakeRect(1, 2, 3, 4);
    EXPECT_EQ(1, LFEqualRects(rect, rect));
    EXPECT_EQ(0, LFEqualRects(rect, LFMakeRect(1, 2, 3, 5)));
    EXPECT_EQ(0, LFEqualRects(rect, LFMakeRect(1, 2, 4, 4)));
    EXPECT_EQ(0, LFEqualRects(rect, LFMakeRect(0, 2, 3, 4)));
    EXPECT_EQ(0, LFEqualRects(rect, LFMakeRect(1, 3, 3, 4)));
}

TEST(Geometry, IntersectRectsCountsTouchingAsOverlapAndGivesMinusOne)
{
    LFRect box = LFMakeRect(0, 0, 10, 10);
    EXPECT_EQ(-1, LFIntersectRects(box, LFMakeRect(5, 5, 10, 10)));
    EXPECT_EQ(-1, LFIntersectRects(box, LFMakeRect(2, 2, 1, 1)));
    EXPECT_EQ(-1, LFIntersectRects(LFMakeRect(2, 2, 1, 1), box));
    EXPECT_EQ(-1, LFIntersectRects(box, LFMakeRect(10, 0, 5, 5)));
    EXPECT_EQ(-1, LFIntersectRects(box, LFMakeRect(0, 10, 5, 5)));
    EXPECT_EQ(-1, LFIntersectRects(box, LFMakeRect(-5, -5, 5, 5)));
    EXPECT_EQ(-1, LFIntersectRects(box, LFMakeRect(10, 10, 0, 0)));
    EXPECT_EQ(-1, LFIntersectRects(box, LFMakeRect(4, 10, 0, 0)));
}

TEST(Geometry, IntersectRectsSeparatedOnAnySideGivesZero)
{
    LFRect box = LFMakeRect(0, 0, 10, 10);
    EXPECT_EQ(0, LFIntersectRects(box, LFMakeRect(10.5f, 0, 5, 5)));
    EXPECT_EQ(0, LFIntersectRects(box, LFMakeRect(0, 10.5f, 5, 5)));
    EXPECT_EQ(0, LFIntersectRects(box, LFMakeRect(-6, 0, 5, 5)));
    EXPECT_EQ(0, LFIntersectRects(box, LFMakeRect(0, -6, 5, 5)));
    EXPECT_EQ(0, LFIntersectRects(LFMakeRect(10.5f, 0, 5, 5), box));
    EXPECT_EQ(0, LFIntersectRects(LFMakeRect(0, 10.5f, 5, 5), box));
    EXPECT_EQ(0, LFIntersectRects(box, LFMakeRect(20, 20, 5, 5)));
}

TEST(Geometry, RectContainsRectIncludesTopLeftAndExcludesBottomRight)
{
    LFRect box = LFMakeRect(0, 0, 10, 10);
    EXPECT_EQ(0, LFRectContainsRect(box, box));
    EXPECT_EQ(1, LFRectContainsRect(box, LFMakeRect(0, 0, 9, 9)));
    EXPECT_EQ(0, LFRectContainsRect(box, LFMakeRect(1, 1, 9, 9)));
    EXPECT_EQ(1, LFRectContainsRect(box, LFMakeRect(1, 1, 8, 8)));
    EXPECT_EQ(0, LFRectContainsRect(box, LFMakeRect(1, 0, 9, 5)));
    EXPECT_EQ(0, LFRectContainsRect(box, LFMakeRect(0, 1, 5, 9)));
    EXPECT_EQ(0, LFRectContainsRect(box, LFMakeRect(-0.5f, 1, 2, 2)));
    EXPECT_EQ(0, LFRectContainsRect(box, LFMakeRect(1, -0.5f, 2, 2)));
    EXPECT_EQ(0, LFRectContainsRect(LFMakeRect(1, 1, 8, 8), box));
}

TEST_F(GeometryText, ToStringPrintsSixDecimals)
{
    EXPECT_STREQ("(1.500000, 2.000000)", LFPointToString(LFMakePoint(1.5f, 2)));
    EXPECT_STREQ("(640.000000, -0.250000)", LFSizeToString(LFMakeSize(640, -0.25f)));
    EXPECT_STREQ("{ (1.000000, 2.500000) : (3.000000, 4.750000) }",
                 LFRectToString(LFMakeRect(1, 2.5f, 3, 4.75f)));
}

TEST_F(GeometryText, ToStringiTruncatesTowardZero)
{
    EXPECT_STREQ("(2, -2)", LFPointToStringi(LFMakePoint(2.9f, -2.9f)));
    EXPECT_STREQ("(640, 0)", LFSizeToStringi(LFMakeSize(640.99f, -0.5f)));
    EXPECT_STREQ("{ (1, -3) : (3, 4) }", LFRectToStringi(LFMakeRect(1.2f, -3.7f, 3.999f, 4)));
    EXPECT_EQ(3, _LFTempStringCount());
}

TEST_F(GeometryText, DirectionNames)
{
    EXPECT_STREQ("None", LFDirectionToString(LFDirectionNone));
    EXPECT_STREQ("Left", LFDirectionToString(LFDirectionLeft));
    EXPECT_STREQ("Up", LFDirectionToString(LFDirectionUp));
    EXPECT_STREQ("Down", LFDirectionToString(LFDirectionDown));
    EXPECT_STREQ("Right", LFDirectionToString(LFDirectionRight));
    EXPECT_STREQ("Down Left", LFDirectionToString(LFDirectionDownLeft));
    EXPECT_STREQ("Down Right", LFDirectionToString(LFDirectionDownRight));
    EXPECT_STREQ("Up Left", LFDirectionToString(LFDirectionUpLeft));
    EXPECT_STREQ("Up Right", LFDirectionToString(LFDirectionUpRight));
    for (LFDirection direction : kOutOfRange)
        EXPECT_STREQ("Unknown", LFDirectionToString(direction)) << direction;
    // Every name is a pooled temporary string.
    EXPECT_EQ(9 + 3, _LFTempStringCount());
}

TEST(Direction, RandomDirectionDrawsAnyOfTheNine)
{
    const int calls = 500;
    std::vector<int> draws = DrawsAfterSeed(31, calls + 1);
    std::set<int> seen;
    for (int i = 0; i < calls; i++) {
        LFDirection direction = LFRandomDirection();
        EXPECT_EQ(-1 + draws[i] % 9, direction);
        seen.insert(direction);
    }
    EXPECT_EQ(draws[calls], _LFRandom());
    EXPECT_EQ(9u, seen.size());
}

TEST(Direction, RandomCardinalDirectionMapsUpLeftRightDown)
{
    const LFDirection byRemainder[] = {
        LFDirectionUp, LFDirectionLeft, LFDirectionRight, LFDirectionDown
    };
    const int calls = 200;
    std::vector<int> draws = DrawsAfterSeed(37, calls + 1);
    std::set<int> seen;
    for (int i = 0; i < calls; i++) {
        LFDirection direction = LFRandomCardinalDirection();
        EXPECT_EQ(byRemainder[draws[i] % 4], direction);
        seen.insert(direction);
    }
    EXPECT_EQ(draws[calls], _LFRandom());
    EXPECT_EQ(4u, seen.size());
}

TEST(Direction, OppositeSwapsPairs)
{
    EXPECT_EQ(LFDirectionRight, LFOppositeDirection(LFDirectionLeft));
    EXPECT_EQ(LFDirectionLeft, LFOppositeDirection(LFDirectionRight));
    EXPECT_EQ(LFDirectionDown, LFOppositeDirection(LFDirectionUp));
    EXPECT_EQ(LFDirectionUp, LFOppositeDirection(LFDirectionDown));
    EXPECT_EQ(LFDirectionUpRight, LFOppositeDirection(LFDirectionDownLeft));
    EXPECT_EQ(LFDirectionDownLeft, LFOppositeDirection(LFDirectionUpRight));
    EXPECT_EQ(LFDirectionUpLeft, LFOppositeDirection(LFDirectionDownRight));
    EXPECT_EQ(LFDirectionDownRight, LFOppositeDirection(LFDirectionUpLeft));
    EXPECT_EQ(LFDirectionNone, LFOppositeDirection(LFDirectionNone));
    for (LFDirection direction : kOutOfRange)
        EXPECT_EQ(LFDirectionNone, LFOppositeDirection(direction)) << direction;
}

TEST(Direction, NextClockwiseCardinalTurnsOnScreen)
{
    EXPECT_EQ(LFDirectionUp, LFNextClockwiseCardinalDirection(LFDirectionLeft));
    EXPECT_EQ(LFDirectionRight, LFNextClockwiseCardinalDirection(LFDirectionUp));
    EXPECT_EQ(LFDirectionDown, LFNextClockwiseCardinalDirection(LFDirectionRight));
    EXPECT_EQ(LFDirectionLeft, LFNextClockwiseCardinalDirection(LFDirectionDown));
    EXPECT_EQ(LFDirectionUp, LFNextClockwiseCardinalDirection(LFDirectionUpLeft));
    EXPECT_EQ(LFDirectionRight, LFNextClockwiseCardinalDirection(LFDirectionUpRight));
    EXPECT_EQ(LFDirectionDown, LFNextClockwiseCardinalDirection(LFDirectionDownRight));
    EXPECT_EQ(LFDirectionLeft, LFNextClockwiseCardinalDirection(LFDirectionDownLeft));
    EXPECT_EQ(LFDirectionNone, LFNextClockwiseCardinalDirection(LFDirectionNone));
    for (LFDirection direction : kOutOfRange)
        EXPECT_EQ(LFDirectionNone, LFNextClockwiseCardinalDirection(direction)) << direction;
}

TEST(Direction, BetweenPointsUsesWholePixelsAndYDown)
{
    LFPoint from = LFMakePoint(10, 10);
    EXPECT_EQ(LFDirectionLeft, LFDirectionBetween(from, LFMakePoint(5, 10)));
    EXPECT_EQ(LFDirectionRight, LFDirectionBetween(from, LFMakePoint(15, 10)));
    EXPECT_EQ(LFDirectionUp, LFDirectionBetween(from, LFMakePoint(10, 5)));
    EXPECT_EQ(LFDirectionDown, LFDirectionBetween(from, LFMakePoint(10, 15)));
    EXPECT_EQ(LFDirectionDownLeft, LFDirectionBetween(from, LFMakePoint(5, 15)));
    EXPECT_EQ(LFDirectionDownRight, LFDirectionBetween(from, LFMakePoint(15, 15)));
    EXPECT_EQ(LFDirectionUpLeft, LFDirectionBetween(from, LFMakePoint(5, 5)));
    EXPECT_EQ(LFDirectionUpRight, LFDirectionBetween(from, LFMakePoint(15, 5)));
    EXPECT_EQ(LFDirectionNone, LFDirectionBetween(from, from));

    // Differences under one pixel truncate to none.
    EXPECT_EQ(LFDirectionDown, LFDirectionBetween(LFZeroPoint, LFMakePoint(0.9f, 5)));
    EXPECT_EQ(LFDirectionLeft, LFDirectionBetween(LFZeroPoint, LFMakePoint(-5, -0.9f)));
    EXPECT_EQ(LFDirectionNone, LFDirectionBetween(LFZeroPoint, LFMakePoint(-0.9f, 0.9f)));
    EXPECT_EQ(LFDirectionUpRight, LFDirectionBetween(LFZeroPoint, LFMakePoint(1, -1)));
}

TEST(Direction, CardinalBetweenFoldsDiagonalsOntoTheFurtherAxis)
{
    EXPECT_EQ(LFDirectionDown, LFCardinalDirectionBetween(LFZeroPoint, LFMakePoint(3, 3)));
    EXPECT_EQ(LFDirectionRight, LFCardinalDirectionBetween(LFZeroPoint, LFMakePoint(4, -3)));
    EXPECT_EQ(LFDirectionUp, LFCardinalDirectionBetween(LFZeroPoint, LFMakePoint(-3, -4)));
    EXPECT_EQ(LFDirectionLeft, LFCardinalDirectionBetween(LFZeroPoint, LFMakePoint(-4, 3)));
    EXPECT_EQ(LFDirectionDown, LFCardinalDirectionBetween(LFZeroPoint, LFMakePoint(-3, 4)));
    EXPECT_EQ(LFDirectionRight, LFCardinalDirectionBetween(LFZeroPoint, LFMakePoint(4, 3)));
    EXPECT_EQ(LFDirectionLeft, LFCardinalDirectionBetween(LFZeroPoint, LFMakePoint(-4, -3)));
    EXPECT_EQ(LFDirectionUp, LFCardinalDirectionBetween(LFZeroPoint, LFMakePoint(3, -4)));
    // Equal distances go vertical.
    EXPECT_EQ(LFDirectionUp, LFCardinalDirectionBetween(LFZeroPoint, LFMakePoint(-3, -3)));
    // The axis test sees fractions that the direction itself truncates.
    EXPECT_EQ(LFDirectionRight, LFCardinalDirectionBetween(LFZeroPoint, LFMakePoint(3.5f, 3)));
    EXPECT_EQ(LFDirectionDown, LFCardinalDirectionBetween(LFZeroPoint, LFMakePoint(3, 3.5f)));
    // Cardinal directions and none come back unchanged.
    EXPECT_EQ(LFDirectionRight, LFCardinalDirectionBetween(LFZeroPoint, LFMakePoint(7, 0.5f)));
    EXPECT_EQ(LFDirectionUp, LFCardinalDirectionBetween(LFZeroPoint, LFMakePoint(0, -2)));
    EXPECT_EQ(LFDirectionNone, LFCardinalDirectionBetween(LFZeroPoint, LFMakePoint(0.5f, 0.5f)));
}

TEST(Direction, AddDirectionMovesTheFullAmountOnEachAxis)
{
    LFPoint start = LFMakePoint(10, 10);
    struct { LFDirection direction; float x, y; } moves[] = {
        {LFDirectionLeft, 8, 10}, {LFDirectionRight, 12, 10},
        {LFDirectionUp, 10, 8}, {LFDirectionDown, 10, 12},
        {LFDirectionDownLeft, 8, 12}, {LFDirectionDownRight, 12, 12},
        {LFDirectionUpLeft, 8, 8}, {LFDirectionUpRight, 12, 8},
        {LFDirectionNone, 10, 10}, {(LFDirection)-2, 10, 10}, {(LFDirection)8, 10, 10},
    };
    for (const auto& move : moves) {
        LFPoint moved = LFAddDirectionToPoint(move.direction, start, 2);
        EXPECT_EQ(move.x, moved.x) << move.direction;
        EXPECT_EQ(move.y, moved.y) << move.direction;
    }
    LFPoint back = LFAddDirectionToPoint(LFDirectionUpLeft, start, -2.5f);
    EXPECT_EQ(12.5f, back.x);
    EXPECT_EQ(12.5f, back.y);
}

TEST(Direction, OppositeOfEveryDirectionIsItsOwnInverse)
{
    for (LFDirection direction : kAllDirections) {
        EXPECT_EQ(direction, LFOppositeDirection(LFOppositeDirection(direction)));
        // A step and its opposite step cancel.
        LFPoint there = LFAddDirectionToPoint(direction, LFMakePoint(3, 4), 1);
        LFPoint back = LFAddDirectionToPoint(LFOppositeDirection(direction), there, 1);
        EXPECT_EQ(1, LFEqualPoints(LFMakePoint(3, 4), back)) << direction;
    }
}

TEST(Parametric, LineInterpolatesAndExtrapolates)
{
    LFPoint p1 = LFMakePoint(2, 4);
    LFPoint p2 = LFMakePoint(12, -6);
    LFPoint start = LFParametricLine(0, p1, p2);
    EXPECT_EQ(2.0f, start.x);
    EXPECT_EQ(4.0f, start.y);
    LFPoint end = LFParametricLine(1, p1, p2);
    EXPECT_EQ(12.0f, end.x);
    EXPECT_EQ(-6.0f, end.y);
    LFPoint middle = LFParametricLine(0.5f, p1, p2);
    EXPECT_FLOAT_EQ(7.0f, middle.x);
    EXPECT_FLOAT_EQ(-1.0f, middle.y);
    LFPoint beyond = LFParametricLine(2, p1, p2);
    EXPECT_FLOAT_EQ(22.0f, beyond.x);
    EXPECT_FLOAT_EQ(-16.0f, beyond.y);
    LFPoint before = LFParametricLine(-1, p1, p2);
    EXPECT_FLOAT_EQ(-8.0f, before.x);
    EXPECT_FLOAT_EQ(14.0f, before.y);
}

TEST(Parametric, LineWritesOnlyThroughGivenPointers)
{
    float x = -99;
    float y = -99;
    LFParametricLine(0.5f, LFMakePoint(0, 0), LFMakePoint(10, 20), &x, NULL);
    EXPECT_FLOAT_EQ(5.0f, x);
    EXPECT_EQ(-99.0f, y);
    x = -99;
    LFParametricLine(0.5f, LFMakePoint(0, 0), LFMakePoint(10, 20), NULL, &y);
    EXPECT_EQ(-99.0f, x);
    EXPECT_FLOAT_EQ(10.0f, y);
    LFParametricLine(0.5f, LFMakePoint(0, 0), LFMakePoint(10, 20), NULL, NULL);
}

TEST(Parametric, CircleRunsClockwiseOnScreenFromTheRight)
{
    LFPoint right = LFParametricCircle(0, 10, LFZeroPoint);
    EXPECT_EQ(10.0f, right.x);
    EXPECT_EQ(0.0f, right.y);
    LFPoint below = LFParametricCircle(0.25f, 10, LFZeroPoint);
    EXPECT_NEAR(0.0f, below.x, 1e-5f);
    EXPECT_FLOAT_EQ(10.0f, below.y);
    LFPoint left = LFParametricCircle(0.5f, 10, LFZeroPoint);
    EXPECT_FLOAT_EQ(-10.0f, left.x);
    EXPECT_NEAR(0.0f, left.y, 1e-5f);
    LFPoint above = LFParametricCircle(0.75f, 10, LFMakePoint(100, 50));
    EXPECT_NEAR(100.0f, above.x, 1e-4f);
    EXPECT_FLOAT_EQ(40.0f, above.y);
    LFPoint round = LFParametricCircle(1.125f, 4, LFMakePoint(1, 1));
    EXPECT_FLOAT_EQ(1 + 4 * 0.70710678f, round.x);
    EXPECT_FLOAT_EQ(1 + 4 * 0.70710678f, round.y);
}

TEST(Parametric, CircleUsesSinglePrecisionTurn)
{
    // A full turn in single precision overshoots 2 pi slightly, so the point
    // lands just past the start, a little below it on screen, not on it.
    LFPoint full = LFParametricCircle(1, 1000000, LFZeroPoint);
    EXPECT_FLOAT_EQ(1000000.0f, full.x);
    EXPECT_FLOAT_EQ(1000000.0f * sinf(6.2831855f), full.y);
    EXPECT_GT(full.y, 0.0f);
}

TEST(Parametric, CircleWritesOnlyThroughGivenPointers)
{
    float x = -99;
    float y = -99;
    LFParametricCircle(0, 5, LFMakePoint(1, 2), &x, NULL);
    EXPECT_EQ(6.0f, x);
    EXPECT_EQ(-99.0f, y);
    x = -99;
    LFParametricCircle(0, 5, LFMakePoint(1, 2), NULL, &y);
    EXPECT_EQ(-99.0f, x);
    EXPECT_EQ(2.0f, y);
    LFParametricCircle(0, 5, LFMakePoint(1, 2), NULL, NULL);
}
