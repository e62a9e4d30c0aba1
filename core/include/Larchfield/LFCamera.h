// Cameras: a view of a world larger than the render context, moved, zoomed
// and turned. What is drawn between LFPushCamera and LFPopCamera (shapes,
// sprites, text, batches) is given in world coordinates and lands where the
// camera shows it.
#ifndef LFCAMERA_H
#define LFCAMERA_H

#include "LF2DPrimitives.h"

// Looks at the world through a camera until the matching LFPopCamera: the
// world point center appears at the middle of the current render context,
// the world scaled by zoom (2: twice as large) and turned by rotation degrees
// clockwise on screen about that middle. Cameras nest: one pushed under
// another works in the coordinates of the one before.
// Note: selecting a render context (setRenderContext, a texture's
// unsetRenderContext, a window's setRenderingMode) drops every camera: push
// after selecting. Clipping (setClipTo) stays in the render context's own
// coordinates.
void LFPushCamera(LFPoint center, float zoom, float rotation);
// Returns to the view before the last LFPushCamera; nothing without one.
void LFPopCamera();

// The world point under a point of the render context (a window position,
// such as LFMousePoint), through the cameras pushed now; the point itself
// without a camera. With a zoom of 0, the innermost camera's centre.
LFPoint LFScreenToWorld(LFPoint point);
// Where a world point lands in the render context, through the cameras
// pushed now; the point itself without a camera.
LFPoint LFWorldToScreen(LFPoint point);

#endif
