// What the drawing calls hand to the batch: held vertices of a kind; the
// windows' contexts it may send them through; the end of every batch at shutdown.
#ifndef LFBATCHPRIVATE_H
#define LFBATCHPRIVATE_H

#include "LFBatch.h"
#include "LFColor.h"

// What a held run of vertices draws, each kind one OpenGL
// primitive with the line width and edge flag its one-by-one call sets.
enum _LFBatchKind {
    _LFBatchFills,      // quads of LFDrawRectFill (_LFBatchHoldQuad)
    _LFBatchRings,      // quads of LFDrawRect's strips: edge flag on, line width 1
    _LFBatchLines,      // line segments, line width 1
    _LFBatchTriangles,  // filled triangles, line width 1
    _LFBatchOutlines,   // triangle outlines, a loop of three each, line width 2
    _LFBatchSprites,    // textured quads of one texture
};

// One held vertex, with its texture coordinate (sprites only) and colour.
struct _LFBatchVertex {
    float x, y;
    float u, v;
    LFColor color;
};

// Non-zero while a batch is open.
int _LFBatchOpen();
// Room for count (at most 4) vertices of kind, held after those
// already held (a quad's four corners in the order glBegin(GL_QUADS) takes
// them); texture is the OpenGL texture of sprites (else 0). What is
// held of another texture, or sprites before shapes and shapes before
// sprites, is sent first, and so is a full buffer. Null outside a batch:
// the caller then draws at once.
_LFBatchVertex* _LFBatchHold(_LFBatchKind kind, unsigned int texture, int count);
// Holds the quad of the four corners, in the order glBegin(GL_QUADS)
// takes them, drawn as the triangles 0 1 3 and 1 2 3 (far faster than quads
// on some drivers) unless polygons are drawn as outlines, points or
// antialiased. 0 outside a batch.
int _LFBatchHoldQuad(_LFBatchKind kind, unsigned int texture, const _LFBatchVertex* corners);
// The windows' OpenGL contexts, each with the buffer object batched drawing
// sends its vertices through, made with its storage on first use and deleted
// with the context: a window adds its context once made and drops it before
// deleting it.
void _LFBatchAddContext(void* context);
void _LFBatchDropContext(void* context);
// Sends what is held and closes every batch (LFDeInit).
void _LFEndAllBatches();

#endif
