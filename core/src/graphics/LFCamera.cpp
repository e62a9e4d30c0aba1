// Cameras: a stack of views, each one a translation, rotation and scale on
// the modelview matrix, mirrored on the processor to convert points.
#include <math.h>  // cosf, sinf

#include <vector>

#include <GL/gl.h>

#include "LFBatch.h"
#include "LFCamera.h"
#include "LFTexture.h"
#include "LFWindow.h"
#include "graphics/LFCameraPrivate.h"
#include "system/LFApplicationPrivate.h"

// The affine map x' = a x + c y + e, y' = b x + d y + f.
struct _LFAffine {
    float a, b, c, d, e, f;
};

// One pushed camera: the map from world to render-context coordinates of it
// and those under it, the modelview matrix it was pushed on, and its centre.
struct _LFCamera {
    _LFAffine toScreen;
    GLfloat savedMatrix[16];
    LFPoint center;
};

// The pushed cameras, innermost last; selecting a render context drops them.
static std::vector<_LFCamera> _LFCameras;

static const _LFAffine _LFIdentity = {1, 0, 0, 1, 0, 0};

// first after second: the map that applies second, then first.
static _LFAffine _LFCompose(const _LFAffine& first, const _LFAffine& second)
{
    _LFAffine m;
    m.a = first.a * second.a + first.c * second.b;
    m.b = first.b * second.a + first.d * second.b;
    m.c = first.a * second.c + first.c * second.d;
    m.d = first.b * second.c + first.d * second.d;
    m.e = first.a * second.e + first.c * second.f + first.e;
    m.f = first.b * second.e + first.d * second.f + first.f;
    return m;
}

static LFPoint _LFApply(const _LFAffine& m, LFPoint p)
{
    return LFMakePoint(m.a * p.x + m.c * p.y + m.e, m.b * p.x + m.d * p.y + m.f);
}

static const _LFAffine& _LFCurrentMap()
{
    return _LFCameras.empty() ? _LFIdentity : _LFCameras.back().toScreen;
}

// The middle of the selected render context in its own coordinates; of the
// viewport when none is selected.
static LFPoint _LFContextMiddle()
{
    LFRenderContext* context = LFCurrentRenderContext();
    if (LFWindow* window = dynamic_cast<LFWindow*>(context)) {
        LFSize size = window->size();
        return LFMakePoint(size.width / 2, size.height / 2);
    }
    if (LFTexture* texture = dynamic_cast<LFTexture*>(context)) {
        LFSize size = texture->size();
        return LFMakePoint(size.width / 2, size.height / 2);
    }
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    return LFMakePoint(viewport[2] / 2.0f, viewport[3] / 2.0f);
}

void LFPushCamera(LFPoint center, float zoom, float rotation)
{
    LFFlushBatch();  // what is held was given in the view before
    LFPoint middle = _LFContextMiddle();
    float radians = rotation * (float)M_PI / 180;
    float cosine = cosf(radians) * zoom, sine = sinf(radians) * zoom;
    // Move the centre to the origin, scale and turn there, then move the
    // origin to the middle.
    _LFAffine view = {cosine, sine, -sine, cosine, 0, 0};
    LFPoint shift = _LFApply(view, center);
    view.e = middle.x - shift.x;
    view.f = middle.y - shift.y;

    _LFCamera camera;
    camera.toScreen = _LFCompose(_LFCurrentMap(), view);
    camera.center = center;
    glMatrixMode(GL_MODELVIEW);
    glGetFloatv(GL_MODELVIEW_MATRIX, camera.savedMatrix);
    _LFCameras.push_back(camera);

    GLfloat matrix[16] = {view.a, view.b, 0, 0, view.c, view.d, 0, 0, 0, 0, 1, 0, view.e, view.f, 0, 1};
    glMultMatrixf(matrix);
}

void LFPopCamera()
{
    if (_LFCameras.empty())
        return;
    LFFlushBatch();
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(_LFCameras.back().savedMatrix);
    _LFCameras.pop_back();
}

int _LFCameraPushed()
{
    return !_LFCameras.empty();
}

void _LFDropCameras()
{
    _LFCameras.clear();
}

LFPoint LFScreenToWorld(LFPoint point)
{
    const _LFAffine& m = _LFCurrentMap();
    float determinant = m.a * m.d - m.b * m.c;
    if (determinant == 0)
        return _LFCameras.back().center;
    float x = point.x - m.e, y = point.y - m.f;
    return LFMakePoint((m.d * x - m.c * y) / determinant, (m.a * y - m.b * x) / determinant);
}

LFPoint LFWorldToScreen(LFPoint point)
{
    return _LFApply(_LFCurrentMap(), point);
}
