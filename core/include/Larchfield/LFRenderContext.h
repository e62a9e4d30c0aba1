// Anything the library can draw into: a window or a texture target. Drawing
// calls take no target; they draw into the one selected last, which
// LFCurrentRenderContext() (LFApplication.h) returns.
//
// Targets do not nest and nothing is restored by itself: select the window
// at start; to draw into a texture call its setRenderContext(), draw, call its
// unsetRenderContext(), then the window's setRenderContext() again before
// drawing into the window, since the viewport and projection are still the
// texture's. To return to some earlier target, read LFCurrentRenderContext()
// before switching and select it again afterwards.
#ifndef LFRENDERCONTEXT_H
#define LFRENDERCONTEXT_H

#include "LF2DPrimitives.h"

// Note: no virtual destructor, on purpose: targets are deleted through their
// own type (LFWindow declares one; LFTexture is final).
class LFRenderContext {
public:
    // Makes this object the drawing target.
    virtual void setRenderContext() {}
    // Stops drawing into it.
    virtual void unsetRenderContext() {}
    // Restricts drawing to a rectangle in the target's own top-left coordinates.
    virtual void setClipTo(LFRect rect) { (void)rect; }
    // Removes the restriction.
    virtual void unsetClip() {}
};

#endif
