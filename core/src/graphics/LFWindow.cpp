// Windows: an SDL window with its own OpenGL context, its 2D or 3D
// projection, the cached window size, scissor clipping and the window map
// the event pump routes window and touch events through.
#include <GL/glew.h>  // before any other OpenGL header
#include <GL/glu.h>   // gluPerspective

#include <new>  // std::bad_alloc

#include "LFApplication.h"
#include "LFWindow.h"

// Every live window by SDL id; created by the first window, deleted with the last.
_LFWindowsMap* _windowsMap = NULL;
// Written by the event pump for every event it handles.
Uint32 LFCurrentEventWindowID = 0xFFFFFFFF;

LFWindow::LFWindow(char* title, LFSize size, int resizable)
{
    _commonInit(title, size, resizable);
}

LFWindow::LFWindow(char* title, LFSize size)
{
    _commonInit(title, size, 0);
}

void LFWindow::_commonInit(char* title, LFSize size, int resizable)
{
    _cachedSize = LFZeroSize;
    _renderingMode = LFWindowRenderingMode2D;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI;
    if (resizable)
        flags |= SDL_WINDOW_RESIZABLE;
    int width = (int)size.width;
    int height = (int)size.height;
    _window = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height, flags);
    if (!_window) {
        _LFSetError("Couldn't set %dx%d video mode:", width, height);
        throw std::bad_alloc();
    }

    if (!_windowsMap)
        _windowsMap = new _LFWindowsMap();
    (*_windowsMap)[SDL_GetWindowID(_window)] = this;

    _context = SDL_GL_CreateContext(_window);
    glViewport(0, 0, width, height);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    setRenderingMode(LFWindowRenderingMode2D);
    _cachedSize = LFZeroSize;
    glewInit();
}

LFWindow::~LFWindow()
{
    if (_windowsMap) {
        _windowsMap->erase(SDL_GetWindowID(_window));
        if (_windowsMap->empty()) {
            delete _windowsMap;
            _windowsMap = NULL;
        }
    }
    SDL_GL_DeleteContext(_context);
    SDL_DestroyWindow(_window);
}

void LFWindow::setRenderContext()
{
    SDL_GL_MakeCurrent(_window, _context);
    int drawableWidth, drawableHeight;
    SDL_GL_GetDrawableSize(_window, &drawableWidth, &drawableHeight);
    glViewport(0, 0, drawableWidth, drawableHeight);
    if (glBindFramebuffer)
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    _updateWithCurrentRenderingMode();
    _LFCurrentWindowRenderContext = this;
    _LFCurrentRenderContext = this;
}

void LFWindow::setRenderingMode(LFWindowRenderingMode mode)
{
    _renderingMode = mode;
    _updateWithCurrentRenderingMode();
}

void LFWindow::_updateWithCurrentRenderingMode()
{
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
    SDL_GL_SwapWindow(_window);
}

void LFWindow::setClipTo(LFRect rect)
{
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
    glScissor((int)x, (int)(s.height * scale - y - height), (int)width, (int)height);
}

void LFWindow::unsetClip()
{
    LFSize s = size();
    glScissor(0, 0, (int)s.width, (int)s.height);
    glDisable(GL_SCISSOR_TEST);
}

LFSize LFWindow::size()
{
    if (_cachedSize.width == 0 && _cachedSize.height == 0) {
        int width, height;
        SDL_GetWindowSize(_window, &width, &height);
        _cachedSize = LFMakeSize((float)width, (float)height);
    }
    return _cachedSize;
}

void LFWindow::_invalidateSizeCache()
{
    _cachedSize = LFZeroSize;
}

LFRect LFWindow::rect()
{
    int x, y, width, height;
    SDL_GetWindowPosition(_window, &x, &y);
    SDL_GetWindowSize(_window, &width, &height);
    return LFMakeRect((float)x, (float)y, (float)width, (float)height);
}

LFPoint LFWindow::getPosition()
{
    int x, y;
    SDL_GetWindowPosition(_window, &x, &y);
    return LFMakePoint((float)x, (float)y);
}

void LFWindow::setPosition(LFPoint pos)
{
    SDL_SetWindowPosition(_window, (int)pos.x, (int)pos.y);
}

void LFWindow::setSize(LFSize size)
{
    _invalidateSizeCache();
    SDL_SetWindowSize(_window, (int)size.width, (int)size.height);
}

void LFWindow::setMinimumSize(LFSize size)
{
    SDL_SetWindowMinimumSize(_window, (int)size.width, (int)size.height);
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
    return (SDL_GetWindowFlags(_window) & SDL_WINDOW_FULLSCREEN) ? 1 : 0;
}

void LFWindow::enterFullscreen()
{
    SDL_SetWindowFullscreen(_window, SDL_WINDOW_FULLSCREEN);
}

void LFWindow::exitFullscreen()
{
    SDL_SetWindowFullscreen(_window, 0);
}

void LFWindow::setTitle(char* title)
{
    SDL_SetWindowTitle(_window, title);
}

int LFWindow::getDisplayIndex()
{
    return SDL_GetWindowDisplayIndex(_window);
}

int LFWindow::isFocused()
{
    return (SDL_GetWindowFlags(_window) & (SDL_WINDOW_INPUT_FOCUS | SDL_WINDOW_MOUSE_FOCUS)) ? 1 : 0;
}

Uint32 LFWindow::id()
{
    return SDL_GetWindowID(_window);
}
