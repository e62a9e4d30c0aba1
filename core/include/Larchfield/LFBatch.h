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
// render target, rendering mode or blend mode, pushing or popping a camera,
// LFClear, swapBuffers, getPixel, saveBuffer, copyTexture, creating, loading,
// clearing or deleting a texture, fonts.
// At most a fixed number of vertices is held; a full buffer is sent and
// flushed (glFlush), so that the driver can draw it while more is held.
#ifndef LFBATCH_H
#define LFBATCH_H

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

#endif
