// Windows: an SDL window with its own OpenGL context, its 2D or 3D
// projection, the cached window size, scissor clipping, the window map the
// event pump routes window and touch events through, and screen capture to a
// BMP file or a texture.
#include <GL/glew.h>  // before any other OpenGL header
#include <GL/glu.h>   // gluPerspective

#include <stddef.h>  // size_t

#include <algorithm>  // std::copy, std::min, std::swap_ranges
#include <new>        // std::bad_alloc, std::nothrow
#include <string>

#include "graphics/LFBatchPrivate.h"
#include "graphics/LFCameraPrivate.h"
#include "graphics/LFImageFile.h"
#include "graphics/LFRenderContextPrivate.h"
#include "graphics/LFTexturePrivate.h"
#include "graphics/LFWindowPrivate.h"
#include "math/LFMathUtilitiesPrivate.h"
#include "record/LFRecordPrivate.h"
#include "system/LFApplicationPrivate.h"

// Every live window by SDL id; created by the first window, deleted with the last.
_LFWindowsMap* _windowsMap = NULL;
// Written by the event pump for every event it handles.
Uint32 LFCurrentEventWindowID = 0xFFFFFFFF;
// Serial numbers handed out so far, to windows and to _LFCurrentWindowSerial.
static Uint64 _LFWindowSerials = 0;

// A zeroed (transparent black) canvas of canvasWidth x canvasHeight RGBA
// pixels with the width x height picture copied into its top-left corner;
// null when there is no memory. The canvas is at least as large as the picture.
static char* _LFOnCanvas(const char* pixels, int width, int height, int canvasWidth, int canvasHeight)
{
    char* canvas = new (std::nothrow) char[(size_t)canvasWidth * canvasHeight * 4]();
    if (!canvas)
        return NULL;
    size_t rowBytes = (size_t)width * 4;
    size_t canvasRowBytes = (size_t)canvasWidth * 4;
    for (int y = 0; y < height; y++)
        std::copy(pixels + y * rowBytes, pixels + (y + 1) * rowBytes, canvas + y * canvasRowBytes);
    return canvas;
}

// Draws a capture of the drawable at scale into a new texture of the window
// size, and deletes the capture.
static LFTexture* _LFReducedTexture(LFTexture* capture, LFSize windowSize, float scale)
{
    LFTexture* reduced = new LFTexture((int)windowSize.width, (int)windowSize.height);
    reduced->clear();
    // A clip set on the window would cut the picture short.
    glPushAttrib(GL_SCISSOR_BIT);
    glDisable(GL_SCISSOR_TEST);
    reduced->setRenderContext();
    capture->draw(0, 0, 1.0f, scale, 0, 0, -1);
    reduced->unsetRenderContext();
    glPopAttrib();
    delete capture;
    return reduced;
}

// The window's back buffer, upright, whatever target the program left selected.
static char* _LFReadBackBuffer(LFWindow* window, int& width, int& height)
{
    GLint framebuffer = 0;
    if (glBindFramebuffer)
        glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    if (framebuffer)
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glPushAttrib(GL_PIXEL_MODE_BIT);
    glReadBuffer(GL_BACK);
    char* pixels = _LFWindowAccess::capturePixels(window, width, height);
    glPopAttrib();
    if (framebuffer)
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    return pixels;
}

LFWindow::LFWindow(const char* title, LFSize size, int resizable)
{
    _commonInit(title, size, resizable);
}

LFWindow::LFWindow(const char* title, LFSize size)
{
    _commonInit(title, size, 0);
}

void LFWindow::_commonInit(const char* title, LFSize size, int resizable)
{
    LFFlushBatch();  // held drawing belongs to the context current now
    _cachedSize = LFZeroSize;
    _renderingMode = LFWindowRenderingMode2D;
    _serial = ++_LFWindowSerials;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI;
    if (resizable)
        flags |= SDL_WINDOW_RESIZABLE;
    int width = _LFTruncate(size.width);
    int height = _LFTruncate(size.height);
    SDL_ClearError();  // so that an older error is not taken for the reason
    _window = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height, flags);
    if (!_window) {
        const char* reason = SDL_GetError();
        _LFSetError("Couldn't set %dx%d video mode: %s", width, height, *reason ? reason : "SDL gave no reason");
        throw std::bad_alloc();
    }

    if (!_windowsMap)
        _windowsMap = new _LFWindowsMap();
    (*_windowsMap)[SDL_GetWindowID(_window)] = this;

    _context = SDL_GL_CreateContext(_window);
    if (_context)
        _LFBatchAddContext(_context);
    glViewport(0, 0, width, height);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    _LFApplyBlendMode(0);
    setRenderingMode(LFWindowRenderingMode2D);
    _cachedSize = LFZeroSize;
    glewInit();
}

LFWindow::~LFWindow()
{
    LFFlushBatch();
    if (_windowsMap) {
        _windowsMap->erase(SDL_GetWindowID(_window));
        if (_windowsMap->empty()) {
            delete _windowsMap;
            _windowsMap = NULL;
        }
    }
    // Nothing made in this context may be handed out as the current window's
    // any more, even before another window is selected.
    if (_LFCurrentWindowSerial == _serial)
        _LFCurrentWindowSerial = ++_LFWindowSerials;
    _LFBatchDropContext(_context);
    SDL_GL_DeleteContext(_context);
    SDL_DestroyWindow(_window);
}

void LFWindow::setRenderContext()
{
    LFFlushBatch();
    SDL_GL_MakeCurrent(_window, _context);
    int drawableWidth, drawableHeight;
    SDL_GL_GetDrawableSize(_window, &drawableWidth, &drawableHeight);
    glViewport(0, 0, drawableWidth, drawableHeight);
    if (glBindFramebuffer)
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    _LFApplyBlendMode(0);
    _updateWithCurrentRenderingMode();
    _LFCurrentWindowRenderContext = this;
    _LFCurrentWindowSerial = _serial;
    _LFCurrentRenderContext = this;
}

void LFWindow::setRenderingMode(LFWindowRenderingMode mode)
{
    LFFlushBatch();
    _renderingMode = mode;
    _updateWithCurrentRenderingMode();
}

void LFWindow::_updateWithCurrentRenderingMode()
{
    _LFDropCameras();
    if (_renderingMode == LFWindowRenderingMode2D)
        _set2DRenderingMode();
    else
        _set3DRenderingMode();
}

void LFWindow::_set2DRenderingMode()
{
    LFSize s = size();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, s.width, s.height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
}

void LFWindow::_set3DRenderingMode()
{
    LFSize s = size();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45, s.width / s.height, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
}

void LFWindow::swapBuffers()
{
    LFFlushBatch();  // a batch left open is sent with this frame, before it is captured
    if (_LFRecordFrame()) {
        int width, height;
        char* pixels = _LFReadBackBuffer(this, width, height);
        _LFRecordCapture(pixels, width, height);
        delete[] pixels;
    }
    SDL_GL_SwapWindow(_window);
}

// The swap interval belongs to the context current at the call: this
// window's is made current for it, and the one current before restored.
int LFWindow::setVSync(int on)
{
    LFFlushBatch();  // held drawing belongs to the context current now
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
    SDL_GL_MakeCurrent(_window, _context);
    int refused = SDL_GL_SetSwapInterval(on ? 1 : 0);
    if (refused)
        _LFSetError("Unable to set swap interval: %s", SDL_GetError());
    if (previousContext != _context)
        SDL_GL_MakeCurrent(previousWindow, previousContext);
    return refused ? 0 : -1;
}

void LFWindow::setClipTo(LFRect rect)
{
    LFFlushBatch();
    int drawableWidth, drawableHeight;
    SDL_GL_GetDrawableSize(_window, &drawableWidth, &drawableHeight);
    LFSize s = size();
    // One factor for both axes: the drawable scales the window uniformly.
    float scale = (float)drawableWidth / s.width;
    float x = rect.origin.x * scale;
    float y = rect.origin.y * scale;
    float width = rect.size.width * scale;
    float height = rect.size.height * scale;
    glEnable(GL_SCISSOR_TEST);
    // OpenGL counts scissor rows from the bottom.
    glScissor(_LFTruncate(x), _LFTruncate(s.height * scale - y - height), _LFTruncate(width), _LFTruncate(height));
}

void LFWindow::unsetClip()
{
    LFFlushBatch();
    LFSize s = size();
    glScissor(0, 0, (int)s.width, (int)s.height);
    glDisable(GL_SCISSOR_TEST);
}

LFSize LFWindow::size()
{
    if (_cachedSize.width == 0 && _cachedSize.height == 0) {
        int width, height;
        SDL_GetWindowSize(_window, &width, &height);
        width = _LFRecordValue(_LFRecordWindowWidth, width);
        height = _LFRecordValue(_LFRecordWindowHeight, height);
        _cachedSize = LFMakeSize((float)width, (float)height);
    }
    return _cachedSize;
}

void _LFWindowAccess::invalidateSizeCache(LFWindow* window)
{
    window->_cachedSize = LFZeroSize;
}

Uint64 _LFWindowAccess::serialNumber(LFWindow* window)
{
    return window->_serial;
}

int _LFWindowSerialIsLive(Uint64 serial)
{
    if (_windowsMap)
        for (_LFWindowsMap::value_type& entry : *_windowsMap)
            if (_LFWindowAccess::serialNumber(entry.second) == serial)
                return -1;
    return 0;
}

LFRect LFWindow::rect()
{
    int x, y, width, height;
    SDL_GetWindowPosition(_window, &x, &y);
    SDL_GetWindowSize(_window, &width, &height);
    x = _LFRecordValue(_LFRecordWindowX, x);
    y = _LFRecordValue(_LFRecordWindowY, y);
    width = _LFRecordValue(_LFRecordWindowWidth, width);
    height = _LFRecordValue(_LFRecordWindowHeight, height);
    return LFMakeRect((float)x, (float)y, (float)width, (float)height);
}

LFPoint LFWindow::getPosition()
{
    int x, y;
    SDL_GetWindowPosition(_window, &x, &y);
    x = _LFRecordValue(_LFRecordWindowX, x);
    y = _LFRecordValue(_LFRecordWindowY, y);
    return LFMakePoint((float)x, (float)y);
}

void LFWindow::setPosition(LFPoint pos)
{
    SDL_SetWindowPosition(_window, _LFTruncate(pos.x), _LFTruncate(pos.y));
}

// A window beyond what the display and the context can show ends the process
// at the next frame (an X error), so each side is clamped to the display's
// and to the largest viewport, which counts drawable pixels.
void LFWindow::setSize(LFSize size)
{
    _cachedSize = LFZeroSize;
    int width = _LFTruncate(size.width);
    int height = _LFTruncate(size.height);
    SDL_Rect display;
    if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(_window), &display) == 0) {
        width = std::min(width, display.w);
        height = std::min(height, display.h);
    }
    GLint largest[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, largest);
    int windowWidth, windowHeight, drawableWidth, drawableHeight;
    SDL_GetWindowSize(_window, &windowWidth, &windowHeight);
    SDL_GL_GetDrawableSize(_window, &drawableWidth, &drawableHeight);
    if (largest[0] > 0 && windowWidth > 0 && drawableWidth > 0) {
        // Window sizes to drawable pixels: one factor for both axes.
        float scale = (float)drawableWidth / (float)windowWidth;
        width = std::min(width, (int)((float)largest[0] / scale));
        height = std::min(height, (int)((float)largest[1] / scale));
    }
    SDL_SetWindowSize(_window, width, height);
}

void LFWindow::setMinimumSize(LFSize size)
{
    SDL_SetWindowMinimumSize(_window, _LFTruncate(size.width), _LFTruncate(size.height));
}

void LFWindow::hide()
{
    SDL_HideWindow(_window);
}

void LFWindow::show()
{
    SDL_ShowWindow(_window);
}

int LFWindow::isFullscreen()
{
    return _LFRecordValue(_LFRecordWindowFullscreen, (SDL_GetWindowFlags(_window) & SDL_WINDOW_FULLSCREEN) ? 1 : 0);
}

void LFWindow::enterFullscreen()
{
    SDL_SetWindowFullscreen(_window, SDL_WINDOW_FULLSCREEN);
}

void LFWindow::exitFullscreen()
{
    SDL_SetWindowFullscreen(_window, 0);
}

void LFWindow::setTitle(const char* title)
{
    SDL_SetWindowTitle(_window, title);
}

int LFWindow::setIcon(const char* imagePath)
{
    if (!imagePath) {
        _LFSetError("Unable to open icon (null): no path");
        return 0;
    }
    SDL_Surface* icon = _LFLoadImageFile(imagePath);
    if (!icon) {
        std::string reason = LFError();  // names the file
        _LFSetError("Unable to open icon %s", reason.c_str());
        return 0;
    }
    SDL_SetWindowIcon(_window, icon);
    SDL_FreeSurface(icon);
    return -1;
}

int LFWindow::getDisplayIndex()
{
    return _LFRecordValue(_LFRecordWindowDisplay, SDL_GetWindowDisplayIndex(_window));
}

int LFWindow::isFocused()
{
    Uint32 focus = SDL_GetWindowFlags(_window) & (SDL_WINDOW_INPUT_FOCUS | SDL_WINDOW_MOUSE_FOCUS);
    return _LFRecordValue(_LFRecordWindowFocused, focus ? 1 : 0);
}

Uint32 LFWindow::id()
{
    return SDL_GetWindowID(_window);
}

// --- Screen capture

int LFWindow::saveBuffer(const char* path, int forceResizeToPow2)
{
    int width, height;
    char* pixels = _capturePixels(width, height);
    int canvasWidth = forceResizeToPow2 ? LFNearestPowerOfTwo(width) : width;
    int canvasHeight = forceResizeToPow2 ? LFNearestPowerOfTwo(height) : height;
    char* canvas = pixels;
    if (pixels && (canvasWidth != width || canvasHeight != height))
        canvas = _LFOnCanvas(pixels, width, height, canvasWidth, canvasHeight);

    int saved = 0;
    if (!canvas)
        _LFSetError("Unable to create SDL surface: Out of memory");
    else if (!_LFWriteImage(path, canvas, canvasWidth, canvasHeight, _LFImageBMP))
        _LFSetError("Unable to save bitmap image (%s): %s", path, SDL_GetError());
    else
        saved = -1;
    if (canvas != pixels)
        delete[] canvas;
    delete[] pixels;
    return saved;
}

LFTexture* LFWindow::copyTexture()
{
    int width, height;
    char* pixels = _capturePixels(width, height);
    if (!pixels)
        return NULL;
    LFTexture* texture = new LFTexture();
    _LFTextureAccess::loadPackedRGBA(texture, width, height, pixels);
    delete[] pixels;
    LFSize windowSize = size();
    if (windowSize.width == (float)width)
        return texture;
    return _LFReducedTexture(texture, windowSize, windowSize.width / (float)width);
}

char* LFWindow::_capturePixels(int& width, int& height)
{
    SDL_GL_GetDrawableSize(_window, &width, &height);
    char* pixels = new (std::nothrow) char[(size_t)width * height * 4];
    if (!pixels)
        return NULL;
    _readPixels(pixels, width, height);
    _flipPixels(pixels, width, height);
    return pixels;
}

char* _LFWindowAccess::capturePixels(LFWindow* window, int& width, int& height)
{
    return window->_capturePixels(width, height);
}

void _LFWindowAccess::readPixels(LFWindow* window, char* buffer)
{
    int width, height;
    SDL_GL_GetDrawableSize(window->_window, &width, &height);
    window->_readPixels(buffer, width, height);
}

void LFWindow::_readPixels(char* buffer, int width, int height)
{
    LFFlushBatch();  // the capture holds everything drawn so far
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    _LFUsePackedRows();
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, buffer);
    glPopClientAttrib();
}

void _LFWindowAccess::flipPixels(LFWindow* window, char* buffer)
{
    int width, height;
    SDL_GL_GetDrawableSize(window->_window, &width, &height);
    window->_flipPixels(buffer, width, height);
}

// OpenGL delivers the bottom row first; rows are swapped pairwise in place.
void LFWindow::_flipPixels(char* pixelBuffer, int width, int height)
{
    size_t rowBytes = (size_t)width * 4;
    for (int top = 0, bottom = height - 1; top < bottom; top++, bottom--)
        std::swap_ranges(pixelBuffer + top * rowBytes, pixelBuffer + (top + 1) * rowBytes,
                         pixelBuffer + bottom * rowBytes);
}
