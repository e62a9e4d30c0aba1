// Cubic Bezier points and easing curves.
#ifndef LFBEZIERCURVE_H
#define LFBEZIERCURVE_H

#include "LF2DPrimitives.h"

enum LFAnimationCurveType : int {
    LFAnimationCurveLinear = 0,
    LFAnimationCurveEaseIn = 1,
    LFAnimationCurveEaseOut = 2,
    LFAnimationCurveEaseInOut = 3
};

// Point at t on the cubic curve p1..p4 (t is not clamped).
LFPoint LFBezierCurve(LFPoint p1, LFPoint p2, LFPoint p3, LFPoint p4, float t);
// Eased value at t; linear and unknown types return t.
float LFAnimationCurve(LFAnimationCurveType type, float t);

#endif
