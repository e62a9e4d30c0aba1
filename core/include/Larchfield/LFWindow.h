// One SDL window with its own OpenGL context, set up for fixed-function
// drawing in window coordinates (2D: origin top-left, y down).
#ifndef LFWINDOW_H
#define LFWINDOW_H

#include <map>

#include <SDL.h>

#include "LF2DPrimitives.h"
#include "LFRenderContext.h"

enum LFWindowRenderingMode {
    LFWindowRenderingMode2D = 0,
    LFWindowRenderingMode3D = 1
};

class LFWindow;
typedef std::map<Uint32, LFWindow*> _LFWindowsMap;

// Every live window by SDL window id; null when there is none. Does not own them.
extern _LFWindowsMap* _windowsMap;
// Window id of the event being handled by the pump.
extern Uint32 LFCurrentEventWindowID;

class LFWindow : public LFRenderContext {
public:
    // Creates and shows the window. Throws std::bad_alloc when SDL cannot,
    // with "Couldn't set WxH video mode:" in LFError().
    LFWindow(char* title, LFSize size, int resizable);
    LFWindow(char* title, LFSize size);
    virtual ~LFWindow();

    // Makes this window's context current, viewport over the drawable,
    // framebuffer 0, and re-applies the projection.
    void setRenderContext() override;
    // Scissor in window coordinates (scaled to drawable pixels).
    void setClipTo(LFRect rect) override;
    void unsetClip() override;

    // Stores the mode and applies its projection to the current context.
    void setRenderingMode(LFWindowRenderingMode mode);
    void swapBuffers();

    // Window size from the cache; SDL is asked again only after a resize.
    LFSize size();
    // Position and size straight from SDL.
    LFRect rect();
    LFPoint getPosition();
    void setPosition(LFPoint pos);
    void setSize(LFSize size);
    void setMinimumSize(LFSize size);
    void hide();
    void show();
    // 1 when fullscreen, else 0.
    int isFullscreen();
    void enterFullscreen();
    void exitFullscreen();
    void setTitle(char* title);
    int getDisplayIndex();
    // 1 when the window has input or mouse focus, else 0.
    int isFocused();
    Uint32 id();

    // Internal: forgets the cached size (the pump calls it on a resize).
    void _invalidateSizeCache();

private:
    void _commonInit(char* title, LFSize size, int resizable);
    void _set2DRenderingMode();
    void _set3DRenderingMode();
    void _updateWithCurrentRenderingMode();

    SDL_Window* _window;
    SDL_GLContext _context;
    LFWindowRenderingMode _renderingMode;
    LFSize _cachedSize;
};

#endif
