// What the render contexts tell the cameras.
#ifndef LFCAMERAPRIVATE_H
#define LFCAMERAPRIVATE_H

#include "LFCamera.h"

// Forgets every pushed camera: selecting a render context resets the
// modelview matrix they were pushed on.
void _LFDropCameras();
// Non-zero while a camera is pushed.
int _LFCameraPushed();

#endif
