// Tests of the cubic Bezier points and the easing curves.
#include <gtest/gtest.h>

#include "Larchfield/LFBezierCurve.h"
#include "math/LFBezierCurvePrivate.h"

TEST(BezierCurve, EndsAtTheFirstAndLastPoints)
{
    LFPoint p1 = LFMakePoint(3, -7);
    LFPoint p2 = LFMakePoint(100, 40);
    LFPoint p3 = LFMakePoint(-20, 90);
    LFPoint p4 = LFMakePoint(640.5f, 480.25f);
    LFPoint start = LFBezierCurve(p1, p2, p3, p4, 0);
    LFPoint end = LFBezierCurve(p1, p2, p3, p4, 1);
    EXPECT_EQ(p1.x, start.x);
    EXPECT_EQ(p1.y, start.y);
    EXPECT_EQ(p4.x, end.x);
    EXPECT_EQ(p4.y, end.y);
}

TEST(BezierCurve, WeighsPointsByTheCubicBernsteinForm)
{
    // At t = 0.5 the weights are 1/8, 3/8, 3/8, 1/8.
    LFPoint middle = LFBezierCurve(LFMakePoint(0, 8), LFMakePoint(8, 0),
                                   LFMakePoint(16, 0), LFMakePoint(24, 8), 0.5f);
    EXPECT_FLOAT_EQ(12.0f, middle.x);
    EXPECT_FLOAT_EQ(2.0f, middle.y);
    // At t = 0.25 the weights are 27/64, 27/64, 9/64, 1/64.
    EXPECT_FLOAT_EQ(27.0f / 64, _bezierCalc(1, 0, 0, 0, 0.25f));
    EXPECT_FLOAT_EQ(27.0f / 64, _bezierCalc(0, 1, 0, 0, 0.25f));
    EXPECT_FLOAT_EQ(9.0f / 64, _bezierCalc(0, 0, 1, 0, 0.25f));
    EXPECT_FLOAT_EQ(1.0f / 64, _bezierCalc(0, 0, 0, 1, 0.25f));
}

TEST(BezierCurve, ExtrapolatesOutsideZeroToOne)
{
    // Evenly spaced points on a line make the curve 3t along it.
    LFPoint p1 = LFMakePoint(0, 0);
    LFPoint p2 = LFMakePoint(1, 2);
    LFPoint p3 = LFMakePoint(2, 4);
    LFPoint p4 = LFMakePoint(3, 6);
    LFPoint ahead = LFBezierCurve(p1, p2, p3, p4, 2);
    EXPECT_FLOAT_EQ(6.0f, ahead.x);
    EXPECT_FLOAT_EQ(12.0f, ahead.y);
    LFPoint behind = LFBezierCurve(p1, p2, p3, p4, -1);
    EXPECT_FLOAT_EQ(-3.0f, behind.x);
    EXPECT_FLOAT_EQ(-6.0f, behind.y);
}

TEST(AnimationCurve, EasingsRunFromZeroToOne)
{
    for (LFAnimationCurveType type : {LFAnimationCurveEaseIn, LFAnimationCurveEaseOut,
                                      LFAnimationCurveEaseInOut}) {
        EXPECT_EQ(0.0f, LFAnimationCurve(type, 0)) << type;
        EXPECT_EQ(1.0f, LFAnimationCurve(type, 1)) << type;
    }
}

TEST(AnimationCurve, EasingsFollowTheirControlPoints)
{
    // y at t = 0.5 is 3/8 of each control y plus 1/8.
    EXPECT_FLOAT_EQ(0.216875f, LFAnimationCurve(LFAnimationCurveEaseIn, 0.5f));
    EXPECT_FLOAT_EQ(0.72875f, LFAnimationCurve(LFAnimationCurveEaseOut, 0.5f));
    EXPECT_FLOAT_EQ(0.516875f, LFAnimationCurve(LFAnimationCurveEaseInOut, 0.5f));
}

TEST(AnimationCurve, TIsTheCurveParameterNotX)
{
    // Ease-in y at parameter 0.25 (the curve is not solved for x = 0.25).
    EXPECT_FLOAT_EQ(0.065546875f, LFAnimationCurve(LFAnimationCurveEaseIn, 0.25f));
    EXPECT_FLOAT_EQ(0.5f, _LFAnimationCurve(LFMakePoint(0.9f, 0), LFMakePoint(0.1f, 1), 0.5f));
    EXPECT_FLOAT_EQ(27.0f / 64 * 0.4f + 9.0f / 64 * 0.8f + 1.0f / 64,
                    _LFAnimationCurve(LFMakePoint(0.5f, 0.4f), LFMakePoint(0.5f, 0.8f), 0.25f));
}

TEST(AnimationCurve, LinearAndUnknownTypesReturnT)
{
    for (float t : {-0.5f, 0.0f, 0.3f, 1.0f, 1.7f}) {
        EXPECT_EQ(t, LFAnimationCurve(LFAnimationCurveLinear, t));
        EXPECT_EQ(t, LFAnimationCurve((LFAnimationCurveType)7, t));
        EXPECT_EQ(t, LFAnimationCurve((LFAnimationCurveType)-1, t));
    }
}
