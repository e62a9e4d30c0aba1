// The blend mode as the targets apply it when they are selected.
#ifndef LFRENDERCONTEXTPRIVATE_H
#define LFRENDERCONTEXTPRIVATE_H

#include "LFRenderContext.h"

// Sets OpenGL's blending to the blend mode, for a window's framebuffer
// (intoTexture 0) or a texture target's; LFSetBlendMode applies the mode
// again to the same kind of target.
void _LFApplyBlendMode(int intoTexture);

#endif
