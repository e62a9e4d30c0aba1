// Plane geometry in window pixels: the zero constants, rectangle equality,
// text forms for logging, the eight-way direction rules and parametric points.
#include <math.h>    // cosf, sinf

#include "LF2DPrimitives.h"
#include "LFRandom.h"
#include "LFString.h"
#include "math/LFMathUtilitiesPrivate.h"

// The all-zero values, shared by every module.
const LFPoint LFZeroPoint = {0, 0};
const LFSize LFZeroSize = {0, 0};
const LFRect LFZeroRect = {{0, 0}, {0, 0}};

// Names indexed by direction + 1, so LFDirectionNone is the first.
static const char* const _sLFDirectionNames[] = {
    "None", "Left", "Up", "Down", "Right",
    "Down Left", "Down Right", "Up Left", "Up Right"
};

// A full turn in radians, held in single precision.
static const float _sLFOneTurn = 6.2831855f;

static bool _LFIsDirection(LFDirection direction)
{
    return direction >= LFDirectionNone && direction <= LFDirectionUpRight;
}

int LFEqualRects(LFRect r1, LFRect r2)
{
    if (!LFEqualSizes(r1.size, r2.size))
        return 0;
    return LFEqualPoints(r1.origin, r2.origin);
}

char* LFPointToString(LFPoint p)
{
    return LFTempString("(%f, %f)", (double)p.x, (double)p.y);
}

char* LFPointToStringi(LFPoint p)
{
    return LFTempString("(%d, %d)", _LFTruncate(p.x), _LFTruncate(p.y));
}

char* LFSizeToString(LFSize size)
{
    return LFTempString("(%f, %f)", (double)size.width, (double)size.height);
}

char* LFSizeToStringi(LFSize size)
{
    return LFTempString("(%d, %d)", _LFTruncate(size.width), _LFTruncate(size.height));
}

char* LFRectToString(LFRect rect)
{
    return LFTempString("{ (%f, %f) : (%f, %f) }",
                        (double)rect.origin.x, (double)rect.origin.y,
                        (double)rect.size.width, (double)rect.size.height);
}

char* LFRectToStringi(LFRect rect)
{
    return LFTempString("{ (%d, %d) : (%d, %d) }",
                        _LFTruncate(rect.origin.x), _LFTruncate(rect.origin.y),
                        _LFTruncate(rect.size.width), _LFTruncate(rect.size.height));
}

LFDirection LFRandomDirection()
{
    return (LFDirection)LFRandomize(LFDirectionNone, LFDirectionUpRight);
}

LFDirection LFRandomCardinalDirection()
{
    static const LFDirection cardinals[] = {
        LFDirectionUp, LFDirectionLeft, LFDirectionRight, LFDirectionDown
    };
    return cardinals[LFRandomize(0, 3)];
}

LFDirection LFOppositeDirection(LFDirection direction)
{
    switch (direction) {
    case LFDirectionLeft: return LFDirectionRight;
    case LFDirectionRight: return LFDirectionLeft;
    case LFDirectionUp: return LFDirectionDown;
    case LFDirectionDown: return LFDirectionUp;
    case LFDirectionDownLeft: return LFDirectionUpRight;
    case LFDirectionUpRight: return LFDirectionDownLeft;
    case LFDirectionDownRight: return LFDirectionUpLeft;
    case LFDirectionUpLeft: return LFDirectionDownRight;
    default: return LFDirectionNone;
    }
}

LFDirection LFNextClockwiseCardinalDirection(LFDirection direction)
{
    switch (direction) {
    case LFDirectionLeft:
    case LFDirectionUpLeft:
        return LFDirectionUp;
    case LFDirectionUp:
    case LFDirectionUpRight:
        return LFDirectionRight;
    case LFDirectionRight:
    case LFDirectionDownRight:
        return LFDirectionDown;
    case LFDirectionDown:
    case LFDirectionDownLeft:
        return LFDirectionLeft;
    default:
        return LFDirectionNone;
    }
}

// Note: works on whole-pixel differences, so sub-pixel moves count as none.
LFDirection LFDirectionBetween(LFPoint from, LFPoint to)
{
    int xDelta = _LFTruncate(to.x - from.x);
    int yDelta = _LFTruncate(to.y - from.y);
    if (xDelta < 0 && yDelta > 0)
        return LFDirectionDownLeft;
    if (xDelta > 0 && yDelta > 0)
        return LFDirectionDownRight;
    if (xDelta < 0 && yDelta < 0)
        return LFDirectionUpLeft;
    if (xDelta > 0 && yDelta < 0)
        return LFDirectionUpRight;
    if (xDelta < 0)
        return LFDirectionLeft;
    if (xDelta > 0)
        return LFDirectionRight;
    if (yDelta < 0)
        return LFDirectionUp;
    if (yDelta > 0)
        return LFDirectionDown;
    return LFDirectionNone;
}

LFDirection LFCardinalDirectionBetween(LFPoint from, LFPoint to)
{
    bool xAxisIsFurther = fabsf(from.x - to.x) > fabsf(to.y - from.y);
    LFDirection direction = LFDirectionBetween(from, to);
    switch (direction) {
    case LFDirectionDownLeft:
        return xAxisIsFurther ? LFDirectionLeft : LFDirectionDown;
    case LFDirectionDownRight:
        return xAxisIsFurther ? LFDirectionRight : LFDirectionDown;
    case LFDirectionUpLeft:
        return xAxisIsFurther ? LFDirectionLeft : LFDirectionUp;
    case LFDirectionUpRight:
        return xAxisIsFurther ? LFDirectionRight : LFDirectionUp;
    default:
        return direction;
    }
}

// Note: diagonals move the full amount on both axes (not amount / sqrt 2).
LFPoint LFAddDirectionToPoint(LFDirection direction, LFPoint point, float amount)
{
    float addX = 0;
    float addY = 0;
    switch (direction) {
    case LFDirectionLeft: addX = -amount; break;
    case LFDirectionRight: addX = amount; break;
    case LFDirectionUp: addY = -amount; break;
    case LFDirectionDown: addY = amount; break;
    case LFDirectionDownLeft: addX = -amount; addY = amount; break;
    case LFDirectionDownRight: addX = amount; addY = amount; break;
    case LFDirectionUpLeft: addX = -amount; addY = -amount; break;
    case LFDirectionUpRight: addX = amount; addY = -amount; break;
    default: break;
    }
    return LFMakePoint(point.x + addX, point.y + addY);
}

char* LFDirectionToString(LFDirection direction)
{
    if (!_LFIsDirection(direction))
        return LFTempString("Unknown");
    return LFTempString("%s", _sLFDirectionNames[direction + 1]);
}

void LFParametricLine(float t, LFPoint p1, LFPoint p2, float* xOut, float* yOut)
{
    if (xOut)
        *xOut = (1 - t) * p1.x + t * p2.x;
    if (yOut)
        *yOut = (1 - t) * p1.y + t * p2.y;
}

LFPoint LFParametricLine(float t, LFPoint p1, LFPoint p2)
{
    LFPoint result;
    LFParametricLine(t, p1, p2, &result.x, &result.y);
    return result;
}

void LFParametricCircle(float t, int radius, LFPoint origin, float* xOut, float* yOut)
{
    float angle = t * _sLFOneTurn;
    if (xOut)
        *xOut = (float)radius * cosf(angle) + origin.x;
    if (yOut)
        *yOut = (float)radius * sinf(angle) + origin.y;
}

LFPoint LFParametricCircle(float t, int radius, LFPoint origin)
{
    LFPoint result;
    LFParametricCircle(t, radius, origin, &result.x, &result.y);
    return result;
}
