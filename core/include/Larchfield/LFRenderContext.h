// Anything the library can draw into: a window or a texture target.
#ifndef LFRENDERCONTEXT_H
#define LFRENDERCONTEXT_H

#include "LF2DPrimitives.h"

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
