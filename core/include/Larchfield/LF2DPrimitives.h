// Points, sizes and rectangles in window pixels (origin top-left, y down),
// the eight-way direction and the parametric points on a line and a circle.
#ifndef LF2DPRIMITIVES_H
#define LF2DPRIMITIVES_H

struct LFPoint {
    float x;
    float y;
};

struct LFSize {
    float width;
    float height;
};

struct LFRect {
    LFPoint origin;
    LFSize size;
};

enum LFDirection : int {
    LFDirectionNone = -1,
    LFDirectionLeft = 0,
    LFDirectionUp = 1,
    LFDirectionDown = 2,
    LFDirectionRight = 3,
    LFDirectionDownLeft = 4,
    LFDirectionDownRight = 5,
    LFDirectionUpLeft = 6,
    LFDirectionUpRight = 7
};

extern const LFPoint LFZeroPoint;
extern const LFSize LFZeroSize;
extern const LFRect LFZeroRect;

inline LFPoint LFMakePoint(float x, float y)
{
    LFPoint p = {x, y};
    return p;
}

inline LFSize LFMakeSize(float width, float height)
{
    LFSize s = {width, height};
    return s;
}

inline LFRect LFMakeRect(LFPoint origin, LFSize size)
{
    LFRect r = {origin, size};
    return r;
}

inline LFRect LFMakeRect(float x, float y, float w, float h)
{
    return LFMakeRect(LFMakePoint(x, y), LFMakeSize(w, h));
}

// 1 when both coordinates are exactly equal, else 0.
inline int LFEqualPoints(LFPoint p1, LFPoint p2)
{
    return (p1.x == p2.x && p1.y == p2.y) ? 1 : 0;
}

// 1 when both dimensions are exactly equal, else 0.
inline int LFEqualSizes(LFSize s1, LFSize s2)
{
    return (s1.width == s2.width && s1.height == s2.height) ? 1 : 0;
}

// -1 when the rectangles overlap or touch (shared edges and corners count), else 0.
inline int LFIntersectRects(LFRect r1, LFRect r2)
{
    int result = -1;
    if (r2.origin.y > r1.origin.y + r1.size.height)
        result = 0;
    else if (r1.origin.y > r2.origin.y + r2.size.height)
        result = 0;
    else if (r2.origin.x > r1.origin.x + r1.size.width)
        result = 0;
    else if (r1.origin.x > r2.origin.x + r2.size.width)
        result = 0;
    return result;
}

// 1 when test lies inside container: left and top edges inclusive, right and
// bottom exclusive, so no rectangle contains itself. Else 0.
inline int LFRectContainsRect(LFRect container, LFRect test)
{
    return (test.origin.x >= container.origin.x &&
            test.origin.y >= container.origin.y &&
            container.origin.x + container.size.width > test.origin.x + test.size.width &&
            container.origin.y + container.size.height > test.origin.y + test.size.height) ? 1 : 0;
}

// -1 when point lies in rect, with the edges as LFRectContainsRect takes
// them: left and top inclusive, right and bottom exclusive. Else 0.
inline int LFRectContainsPoint(LFRect rect, LFPoint point)
{
    return (point.x >= rect.origin.x && point.y >= rect.origin.y &&
            point.x < rect.origin.x + rect.size.width &&
            point.y < rect.origin.y + rect.size.height) ? -1 : 0;
}

// 1 when sizes, then origins, are exactly equal, else 0.
int LFEqualRects(LFRect r1, LFRect r2);

// Text forms for logging; the strings are temporary (see LFTempString).
char* LFPointToString(LFPoint p);
char* LFPointToStringi(LFPoint p);
char* LFSizeToString(LFSize size);
char* LFSizeToStringi(LFSize size);
char* LFRectToString(LFRect rect);
char* LFRectToStringi(LFRect rect);

// Any of the nine directions, LFDirectionNone included.
LFDirection LFRandomDirection();
// Up, Left, Right or Down.
LFDirection LFRandomCardinalDirection();
// The reverse direction; None and out-of-range values give None.
LFDirection LFOppositeDirection(LFDirection direction);
// The next cardinal direction clockwise on screen; diagonals turn 45 degrees.
LFDirection LFNextClockwiseCardinalDirection(LFDirection direction);
// Eight-way direction from one point to another, on whole-pixel differences.
LFDirection LFDirectionBetween(LFPoint from, LFPoint to);
// Four-way direction; on equal distances the vertical direction wins.
LFDirection LFCardinalDirectionBetween(LFPoint from, LFPoint to);
// The point moved by amount along both axes of the direction.
LFPoint LFAddDirectionToPoint(LFDirection direction, LFPoint point, float amount);
// The direction's name as a temporary string; "Unknown" out of range.
char* LFDirectionToString(LFDirection direction);

// Point at t on the line p1..p2 (t is not clamped). Null outputs are skipped.
void LFParametricLine(float t, LFPoint p1, LFPoint p2, float* xOut, float* yOut);
LFPoint LFParametricLine(float t, LFPoint p1, LFPoint p2);
// Point at t turns on a circle; t = 0 is right of the centre, growing clockwise on screen.
void LFParametricCircle(float t, int radius, LFPoint origin, float* xOut, float* yOut);
LFPoint LFParametricCircle(float t, int radius, LFPoint origin);

#endif
