// Cubic Bezier curves: points on a curve (the game's cables) and the easing
// curves that shape animations over time.
#include "math/LFBezierCurvePrivate.h"

// Control points of the easing curves, which run from (0, 0) to (1, 1).
static const LFPoint _sLFEaseInControl1 = {0.55f, 0.055f};
static const LFPoint _sLFEaseInControl2 = {0.675f, 0.19f};
static const LFPoint _sLFEaseOutControl1 = {0.215f, 0.61f};
static const LFPoint _sLFEaseOutControl2 = {0.355f, 1.0f};
static const LFPoint _sLFEaseInOutControl1 = {0.645f, 0.045f};
static const LFPoint _sLFEaseInOutControl2 = {0.355f, 1.0f};

// The cubic Bernstein form, summed in double and rounded once at the end.
float _bezierCalc(float p1, float p2, float p3, float p4, float t)
{
    double oneMinusT = 1.0f - t;
    double s = t;
    return (float)(oneMinusT * oneMinusT * oneMinusT * p1 +
                   3 * oneMinusT * oneMinusT * s * p2 +
                   3 * oneMinusT * s * s * p3 +
                   s * s * s * p4);
}

LFPoint LFBezierCurve(LFPoint p1, LFPoint p2, LFPoint p3, LFPoint p4, float t)
{
    return LFMakePoint(_bezierCalc(p1.x, p2.x, p3.x, p4.x, t),
                       _bezierCalc(p1.y, p2.y, p3.y, p4.y, t));
}

// Note: t is the curve parameter itself; the curve is not solved for x = t.
float _LFAnimationCurve(LFPoint control1, LFPoint control2, float t)
{
    return LFBezierCurve(LFZeroPoint, control1, control2, LFMakePoint(1, 1), t).y;
}

float LFAnimationCurve(LFAnimationCurveType type, float t)
{
    switch (type) {
    case LFAnimationCurveEaseIn:
        return _LFAnimationCurve(_sLFEaseInControl1, _sLFEaseInControl2, t);
    case LFAnimationCurveEaseOut:
        return _LFAnimationCurve(_sLFEaseOutControl1, _sLFEaseOutControl2, t);
    case LFAnimationCurveEaseInOut:
        return _LFAnimationCurve(_sLFEaseInOutControl1, _sLFEaseInOutControl2, t);
    default:
        return t;
    }
}
