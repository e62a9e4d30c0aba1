// Batched drawing: between LFBeginBatch() and LFEndBatch() consecutive shapes
// and sprites are held back and sent to OpenGL together, one draw where the
// same calls made one by one cost one each. What lands on screen, in what
// order, and the OpenGL state left after each send (texturing, bound
// texture, current colour, line width, matrix stack depth) are those of the
// same calls made one by one.
//
// Held together: LFDrawRectFill, LFDrawRect, LFDrawLine, LFDrawTriangleFill,
// LFDrawTriangle, LFDrawRectFills and LFDrawLines in any mix; or consecutive
// LFTexture::draw calls of one texture that draw a whole quad (doQuadWrap
// non-zero), scaled, turned and mirrored ones included. Everything else the
// library does with OpenGL sends what is held first: a draw of the other kind
// or of another texture, circles, text, nine-slices, clipping, selecting a
// render target or rendering mode, swapBuffers, getPixel, saveBuffer,
// copyTexture, creating, loading, clearing or deleting a texture, fonts.
// At most a fixed number of vertices is held; a full buffer is sent and
// flushed (glFlush), so that the driver can draw it while more is held.
#ifndef LFBATCH_H
#define LFBATCH_H

#include "LFColor.h"

// Opens a batch. Batches nest: only the LFEndBatch matching the outermost
// LFBeginBatch ends it.
void LFBeginBatch();
// Closes a batch; at the outermost one, sends what is held. Without an open
// batch it does nothing.
void LFEndBatch();
// Sends what is held; the batch stays open.
// Note: OpenGL calls of your own inside a batch (state, matrices, drawing,
// glBegin lists for LFTexture::draw with doQuadWrap 0) must come after it.
void LFFlushBatch();

// Internal: what a held run of vertices draws, each kind one OpenGL
// primitive with the line width and edge flag its one-by-one call sets.
enum _LFBatchKind {
    _LFBatchFills,      // quads of LFDrawRectFill (_LFBatchHoldQuad)
    _LFBatchRings,      // quads of LFDrawRect's strips: edge flag on, line width 1
    _LFBatchLines,      // line segments, line width 1
    _LFBatchTriangles,  // filled triangles, line width 1
    _LFBatchOutlines,   // triangle outlines, a loop of three each, line width 2
    _LFBatchSprites,    // textured quads of one texture
};

// Internal: one held vertex, with its texture coordinate (sprites only) and colour.
struct _LFBatchVertex {
    float x, y;
    float u, v;
    LFColor color;
};

// Internal: non-zero while a batch is open.
int _LFBatchOpen();
// Internal: room for count (at most 4) vertices of kind, held after those
// already held (a quad's four corners in the order glBegin(GL_QUADS) takes
// them); texture is the OpenGL texture of sprites (else 0). What is
// held of another texture, or sprites before shapes and shapes before
// sprites, is sent first, and so is a full buffer. Null outside a batch:
// the caller then draws at once.
_LFBatchVertex* _LFBatchHold(_LFBatchKind kind, unsigned int texture, int count);
// Internal: holds the quad of the four corners, in the order glBegin(GL_QUADS)
// takes them, drawn as the triangles 0 1 3 and 1 2 3 (far faster than quads
// on some drivers) unless polygons are drawn as outlines, points or
// antialiased. 0 outside a batch.
int _LFBatchHoldQuad(_LFBatchKind kind, unsigned int texture, const _LFBatchVertex* corners);
// Internal: sends what is held and closes every batch (LFDeInit).
void _LFEndAllBatches();

#endif
