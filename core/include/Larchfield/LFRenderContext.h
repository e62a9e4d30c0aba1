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
//
// Clearing and the blend mode act on the selected target too.
#ifndef LFRENDERCONTEXT_H
#define LFRENDERCONTEXT_H

#include "LF2DPrimitives.h"
#include "LFColor.h"

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

// How what is drawn (source: colour s, alpha a) combines with the pixels
// there (destination d). In a window, on colour:
enum LFBlendMode {
    LFBlendAlpha = 0,  // s * a + d * (1 - a): translucent over what is there (the start value)
    LFBlendAdditive,   // s * a + d: light that adds up (glows, sparks)
    LFBlendMultiply,   // s * d: darkens by the colour, alpha unused (shadows, tints)
    LFBlendNone        // s: replaces the pixels, alpha included
};

// Sets the blend mode of all drawing from now on. It holds in every target:
// set now in the selected one, and by each target's setRenderContext. A
// batch sends what it holds first when the mode changes. A texture target
// keeps its alpha channel as coverage: LFBlendAlpha there is
// s + d * (1 - a) on colour and alpha alike, as texture targets always
// blended; LFBlendAdditive and LFBlendMultiply blend colour as in a window
// and add up alpha as a + d * (1 - a) (additive) or keep it (multiply);
// LFBlendNone replaces all.
void LFSetBlendMode(LFBlendMode mode);
LFBlendMode LFGetBlendMode();

// Sets every pixel of the selected target, window or texture, to color,
// alpha included; with a clip rectangle set, only those within it. A batch
// sends what it holds first.
void LFClear(LFColor color);

#endif
