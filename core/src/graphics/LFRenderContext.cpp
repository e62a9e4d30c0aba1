// What acts on the selected render context as a whole: clearing it, and the
// blend mode, which each kind of target applies in its own way.
#include <GL/glew.h>  // glBlendFuncSeparate

#include "LFBatch.h"
#include "graphics/LFRenderContextPrivate.h"

// The blend mode, and whether the target it was applied to last is a texture.
static LFBlendMode _LFBlendMode = LFBlendAlpha;
static int _LFBlendIntoTexture = 0;

// The source and destination factors of each mode, on colour, in a window.
static const GLenum _LFBlendFactors[4][2] = {
    {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
    {GL_SRC_ALPHA, GL_ONE},
    {GL_DST_COLOR, GL_ZERO},
    {GL_ONE, GL_ZERO},
};
// In a texture target: the factors on colour, then on alpha, which keeps
// the coverage drawn so far.
static const GLenum _LFTextureBlendFactors[4][4] = {
    {GL_ONE, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA},
    {GL_SRC_ALPHA, GL_ONE, GL_ONE, GL_ONE_MINUS_SRC_ALPHA},
    {GL_DST_COLOR, GL_ZERO, GL_ZERO, GL_ONE},
    {GL_ONE, GL_ZERO, GL_ONE, GL_ZERO},
};

void _LFApplyBlendMode(int intoTexture)
{
    _LFBlendIntoTexture = intoTexture;
    if (!intoTexture) {
        glBlendFunc(_LFBlendFactors[_LFBlendMode][0], _LFBlendFactors[_LFBlendMode][1]);
        return;
    }
    const GLenum* f = _LFTextureBlendFactors[_LFBlendMode];
    // Separate factors need OpenGL 1.4; before it, alpha blends as colour.
    if (glBlendFuncSeparate)
        glBlendFuncSeparate(f[0], f[1], f[2], f[3]);
    else
        glBlendFunc(f[0], f[1]);
}

void LFSetBlendMode(LFBlendMode mode)
{
    if (mode < LFBlendAlpha || mode > LFBlendNone || mode == _LFBlendMode)
        return;
    LFFlushBatch();  // what is held was drawn in the mode before
    _LFBlendMode = mode;
    _LFApplyBlendMode(_LFBlendIntoTexture);
}

LFBlendMode LFGetBlendMode()
{
    return _LFBlendMode;
}

void LFClear(LFColor color)
{
    LFFlushBatch();  // held drawing comes before the clear
    glClearColor(color.r, color.g, color.b, color.a);
    glClear(GL_COLOR_BUFFER_BIT);
}
