// The pieces the curves are computed from.
#ifndef LFBEZIERCURVEPRIVATE_H
#define LFBEZIERCURVEPRIVATE_H

#include "LFBezierCurve.h"

// One coordinate of the cubic curve.
float _bezierCalc(float p1, float p2, float p3, float p4, float t);
// The y of the curve (0,0), control1, control2, (1,1) at parameter t.
float _LFAnimationCurve(LFPoint control1, LFPoint control2, float t);

#endif
