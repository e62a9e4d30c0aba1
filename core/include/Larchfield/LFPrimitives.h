// Untextured immediate-mode shapes, drawn at once into the current render
// context in its pixel coordinates. Texturing is enabled again after every
// call; the current colour and the line width are left as the call set them.
// Inside a batch (LFBatch.h) all but the circles are held and sent together,
// with the same pixels and the same state afterwards.
#ifndef LFPRIMITIVES_H
#define LFPRIMITIVES_H

#include "LF2DPrimitives.h"
#include "LFColor.h"

// Ends truncated to whole pixels; NaN counts as 0, and coordinates beyond
// the int range stop at its ends.
void LFDrawLine(LFPoint origin, LFPoint end, LFColor color);
// Draws the segments points[0]-points[1], points[2]-points[3], ... as one
// batch: the same pixels and state afterwards as LFDrawLine on each pair in
// order. An odd last point is ignored; with fewer than two points nothing is
// drawn and no state changes.
void LFDrawLines(const LFPoint* points, int count, LFColor color);
// One-pixel ring inside the rectangle, corners truncated to whole pixels.
void LFDrawRect(LFRect rect, LFColor color);
void LFDrawRectFill(LFRect rect, LFColor color);
// Fills count rectangles, each in its own colour, as one batch: the same
// pixels and the same state afterwards as LFDrawRectFill on each in order,
// at the cost of one draw call instead of count. A count below 1 changes nothing.
void LFDrawRectFills(const LFRect* rects, const LFColor* colors, int count);
// Note: segments must be at least 1; accumulated rounding can add one point.
void LFDrawCircle(LFPoint origin, int radius, int segments, LFColor color);
void LFDrawCircleFill(LFPoint origin, int radius, int segments, LFColor color);
// Outline drawn two pixels wide.
void LFDrawTriangle(LFPoint p1, LFPoint p2, LFPoint p3, LFColor color);
void LFDrawTriangleFill(LFPoint p1, LFPoint p2, LFPoint p3, LFColor color);

#endif
