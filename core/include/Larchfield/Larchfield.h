// Larchfield: a small 2D game library over SDL2 and fixed-function OpenGL.
// Including this header brings in every public module.
#ifndef LARCHFIELD_H
#define LARCHFIELD_H

#include "LF2DPrimitives.h"
#include "LFApplication.h"
#include "LFBatch.h"
#include "LFBezierCurve.h"
#include "LFClock.h"
#include "LFColor.h"
#include "LFFont.h"
#include "LFGamePad.h"
#include "LFInit.h"
#include "LFKeyboard.h"
#include "LFLogicTiming.h"
#include "LFMathUtilities.h"
#include "LFMouse.h"
#include "LFPrimitives.h"
#include "LFRandom.h"
#include "LFRealTimeTimer.h"
#include "LFRecord.h"
#include "LFRenderContext.h"
#include "LFSound.h"
#include "LFString.h"
#include "LFTexture.h"
#include "LFTextureCache.h"
#include "LFTouch.h"
#include "LFUIGlobalFont.h"
#include "LFWindow.h"

#endif
