// Untextured shapes in OpenGL immediate mode. Each call is its own batch:
// texturing off, matrix pushed, colour set, vertices, matrix popped,
// texturing back on. Inside LFBeginBatch/LFEndBatch all but the circles are
// held instead and sent together.
#include <math.h>  // sin, cos

#include <GL/gl.h>

#include "LFPrimitives.h"
#include "graphics/LFBatchPrivate.h"
#include "math/LFMathUtilitiesPrivate.h"

// The circle's angle runs up to this bound, a little short of a full turn.
static const double _LFCircleTurn = 6.28;

static void _LFBeginPrimitive(LFColor color, float lineWidth)
{
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    glColor4f(color.r, color.g, color.b, color.a);
    if (lineWidth > 0)
        glLineWidth(lineWidth);
}

static void _LFEndPrimitive()
{
    glPopMatrix();
    glEnable(GL_TEXTURE_2D);
}

// Rectangle corners in whole pixels: the far corner is truncated after the
// near one, so (10.7, 5.6) spans 10..15. NaN gives 0 and coordinates beyond
// the int range stop at its ends.
static void _LFRectCorners(LFRect rect, int* x1, int* y1, int* x2, int* y2)
{
    *x1 = _LFTruncate(rect.origin.x);
    *y1 = _LFTruncate(rect.origin.y);
    *x2 = _LFTruncate((float)*x1 + rect.size.width);
    *y2 = _LFTruncate((float)*y1 + rect.size.height);
}

// One held vertex of a shape.
static void _LFSetVertex(_LFBatchVertex* v, float x, float y, LFColor color)
{
    v->x = x;
    v->y = y;
    v->color = color;
}

// The perimeter points shared by the circle outline and fill; the first lies
// straight below the centre. A negative count would never reach the bound,
// so it draws nothing.
static void _LFCircleVertices(LFPoint origin, int radius, int segments)
{
    if (segments < 0)
        return;
    double step = _LFCircleTurn / segments;
    for (double i = 0; i < _LFCircleTurn; i += step)
        glVertex2f((float)(sin(i) * radius + origin.x), (float)(cos(i) * radius + origin.y));
}

void LFDrawLine(LFPoint origin, LFPoint end, LFColor color)
{
    LFPoint points[2] = {origin, end};
    LFDrawLines(points, 2, color);
}

void LFDrawLines(const LFPoint* points, int count, LFColor color)
{
    // Fewer than two points make no pair: as no LFDrawLine call at all, that
    // changes nothing, in a batch or not.
    if (count < 2)
        return;
    if (_LFBatchOpen()) {
        for (int i = 0; i + 1 < count; i += 2) {
            _LFBatchVertex* v = _LFBatchHold(_LFBatchLines, 0, 2);
            _LFSetVertex(&v[0], (float)_LFTruncate(points[i].x), (float)_LFTruncate(points[i].y), color);
            _LFSetVertex(&v[1], (float)_LFTruncate(points[i + 1].x), (float)_LFTruncate(points[i + 1].y), color);
        }
        return;
    }
    _LFBeginPrimitive(color, 1);
    glBegin(GL_LINES);
    for (int i = 0; i + 1 < count; i += 2) {
        glVertex2i(_LFTruncate(points[i].x), _LFTruncate(points[i].y));
        glVertex2i(_LFTruncate(points[i + 1].x), _LFTruncate(points[i + 1].y));
    }
    glEnd();
    _LFEndPrimitive();
}

// Holds one of LFDrawRect's strips as glRecti draws it: a quad from corner
// to corner, in glRecti's order.
static void _LFHoldStrip(int ax, int ay, int bx, int by, LFColor color)
{
    _LFBatchVertex corners[4];
    _LFSetVertex(&corners[0], (float)ax, (float)ay, color);
    _LFSetVertex(&corners[1], (float)bx, (float)ay, color);
    _LFSetVertex(&corners[2], (float)bx, (float)by, color);
    _LFSetVertex(&corners[3], (float)ax, (float)by, color);
    _LFBatchHoldQuad(_LFBatchRings, 0, corners);
}

void LFDrawRect(LFRect rect, LFColor color)
{
    int x1, y1, x2, y2;
    _LFRectCorners(rect, &x1, &y1, &x2, &y2);
    x2 = _LFAddSaturated(x2, -1);
    y2 = _LFAddSaturated(y2, -1);
    int x1Next = _LFAddSaturated(x1, 1), y1Next = _LFAddSaturated(y1, 1);
    int x2Next = _LFAddSaturated(x2, 1), y2Next = _LFAddSaturated(y2, 1);
    if (_LFBatchOpen()) {
        _LFHoldStrip(x1, y1, x2, y1Next, color);
        _LFHoldStrip(x2, y1, x2Next, y2Next, color);
        _LFHoldStrip(x2, y2, x1, y2Next, color);
        _LFHoldStrip(x1, y2, x1Next, y1, color);
        return;
    }

    glDisable(GL_TEXTURE_2D);
    GLboolean edgeFlag;
    glGetBooleanv(GL_EDGE_FLAG, &edgeFlag);
    glEdgeFlag(GL_TRUE);
    glPushMatrix();
    glColor4f(color.r, color.g, color.b, color.a);
    glLineWidth(1);
    glRecti(x1, y1, x2, y1Next);
    glRecti(x2, y1, x2Next, y2Next);
    glRecti(x2, y2, x1, y2Next);
    glRecti(x1, y2, x1Next, y1);

    _LFEndPrimitive();
    glEdgeFlag(edgeFlag);
}

// The four corners of a filled rectangle, inside glBegin(GL_QUADS).
static void _LFRectFillVertices(LFRect rect)
{
    int x1, y1, x2, y2;
    _LFRectCorners(rect, &x1, &y1, &x2, &y2);
    glVertex2f((float)x1, (float)y1);
    glVertex2f((float)x1, (float)y2);
    glVertex2f((float)x2, (float)y2);
    glVertex2f((float)x2, (float)y1);
}

// Holds the four corners of a filled rectangle, in the order above; 0
// outside a batch.
static int _LFHoldRectFill(LFRect rect, LFColor color)
{
    _LFBatchVertex* corners = _LFBatchHold(_LFBatchFills, 0, 4);
    if (!corners)
        return 0;
    int x1, y1, x2, y2;
    _LFRectCorners(rect, &x1, &y1, &x2, &y2);
    _LFSetVertex(&corners[0], (float)x1, (float)y1, color);
    _LFSetVertex(&corners[1], (float)x1, (float)y2, color);
    _LFSetVertex(&corners[2], (float)x2, (float)y2, color);
    _LFSetVertex(&corners[3], (float)x2, (float)y1, color);
    return -1;
}

void LFDrawRectFill(LFRect rect, LFColor color)
{
    if (_LFHoldRectFill(rect, color))
        return;
    _LFBeginPrimitive(color, 0);
    glBegin(GL_QUADS);
    _LFRectFillVertices(rect);
    glEnd();
    _LFEndPrimitive();
}

void LFDrawRectFills(const LFRect* rects, const LFColor* colors, int count)
{
    if (count <= 0)
        return;
    if (_LFBatchOpen()) {
        for (int i = 0; i < count; i++)
            _LFHoldRectFill(rects[i], colors[i]);
        return;
    }
    _LFBeginPrimitive(colors[0], 0);
    glBegin(GL_QUADS);
    for (int i = 0; i < count; i++) {
        glColor4f(colors[i].r, colors[i].g, colors[i].b, colors[i].a);
        _LFRectFillVertices(rects[i]);
    }
    glEnd();
    _LFEndPrimitive();
}

void LFDrawCircle(LFPoint origin, int radius, int segments, LFColor color)
{
    LFFlushBatch();
    _LFBeginPrimitive(color, 1);
    glBegin(GL_LINE_LOOP);
    _LFCircleVertices(origin, radius, segments);
    glEnd();
    _LFEndPrimitive();
}

void LFDrawCircleFill(LFPoint origin, int radius, int segments, LFColor color)
{
    LFFlushBatch();
    _LFBeginPrimitive(color, 1);
    glBegin(GL_TRIANGLE_FAN);
    _LFCircleVertices(origin, radius, segments);
    glEnd();
    _LFEndPrimitive();
}

// Holds a triangle's three corners as given; 0 outside a batch.
static int _LFHoldTriangle(_LFBatchKind kind, LFPoint p1, LFPoint p2, LFPoint p3, LFColor color)
{
    _LFBatchVertex* v = _LFBatchHold(kind, 0, 3);
    if (!v)
        return 0;
    _LFSetVertex(&v[0], p1.x, p1.y, color);
    _LFSetVertex(&v[1], p2.x, p2.y, color);
    _LFSetVertex(&v[2], p3.x, p3.y, color);
    return -1;
}

void LFDrawTriangle(LFPoint p1, LFPoint p2, LFPoint p3, LFColor color)
{
    if (_LFHoldTriangle(_LFBatchOutlines, p1, p2, p3, color))
        return;
    _LFBeginPrimitive(color, 2);
    glBegin(GL_LINE_LOOP);
    glVertex2f(p1.x, p1.y);
    glVertex2f(p2.x, p2.y);
    glVertex2f(p3.x, p3.y);
    glEnd();
    _LFEndPrimitive();
}

void LFDrawTriangleFill(LFPoint p1, LFPoint p2, LFPoint p3, LFColor color)
{
    if (_LFHoldTriangle(_LFBatchTriangles, p1, p2, p3, color))
        return;
    _LFBeginPrimitive(color, 1);
    glBegin(GL_TRIANGLES);
    glVertex2f(p1.x, p1.y);
    glVertex2f(p2.x, p2.y);
    glVertex2f(p3.x, p3.y);
    glEnd();
    _LFEndPrimitive();
}
