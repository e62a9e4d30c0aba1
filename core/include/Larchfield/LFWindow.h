// One SDL window with its own OpenGL context, set up for fixed-function
// drawing in window coordinates (2D: origin top-left, y down), and screen
// capture of what has been drawn into it.
//
// Two sizes: the window size, in window coordinates (size(), mouse positions,
// the 2D projection), and the drawable size, in framebuffer pixels
// (SDL_GL_GetDrawableSize), which is larger on high-density displays.
#ifndef LFWINDOW_H
#define LFWINDOW_H

#include <SDL.h>

#include "LF2DPrimitives.h"
#include "LFRenderContext.h"

enum LFWindowRenderingMode {
    LFWindowRenderingMode2D = 0,
    LFWindowRenderingMode3D = 1
};

class LFTexture;

// Window id of the event being handled by the pump.
extern Uint32 LFCurrentEventWindowID;

class LFWindow : public LFRenderContext {
public:
    // Creates and shows the window. Throws std::bad_alloc when SDL cannot,
    // with "Couldn't set WxH video mode: <SDL's reason>" in LFError().
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
    // Presents the frame; what an open batch holds is sent first (the batch stays open).
    void swapBuffers();
    // Non-zero: swapBuffers waits for the display's refresh (swap interval
    // 1); 0: it does not. -1 when the driver accepts; 0 when it refuses, with
    // "Unable to set swap interval: <reason>" in LFError(). The OpenGL context
    // current before the call is current after it.
    int setVSync(int on);

    // Window size from the cache; SDL is asked again only after a resize.
    LFSize size();
    // Position and size straight from SDL.
    LFRect rect();
    LFPoint getPosition();
    // Truncated to whole pixels: NaN gives 0, values beyond the int range its ends.
    void setPosition(LFPoint pos);
    // Sides are truncated to whole pixels, then clamped to the size of the
    // window's display and to the largest viewport of the OpenGL context.
    void setSize(LFSize size);
    // Sides truncated as setPosition truncates; SDL ignores a side below 1.
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

    // --- Screen capture. Both read what has been drawn so far: for this
    // double-buffered window the back buffer, so a capture taken before
    // swapBuffers holds the frame just drawn, batched drawing included.

    // Writes the window's picture, upright, to a BMP file (whatever the
    // extension of path), 32 bits per pixel with alpha. The image has the
    // drawable's full size in pixels: the window size, or more on a
    // high-density display, nothing being scaled away. forceResizeToPow2
    // non-zero puts it at the top-left corner of a canvas whose sides are the
    // next powers of two (unchanged where they already are), the rest
    // transparent black. -1 when written whole; 0 on failure, with "Unable
    // to create SDL surface: <reason>" or "Unable to save bitmap image
    // (<path>): <reason>" in LFError() and the file at path left as it was.
    int saveBuffer(char* path, int forceResizeToPow2);
    // A new texture, owned by the caller, holding the window's picture
    // upright at the window size; null when there is no memory for the pixels.
    // Note: where the drawable is larger than the window the picture is scaled
    // down by drawing into a texture target, which leaves no target selected:
    // call setRenderContext() again before drawing into the window.
    LFTexture* copyTexture();

private:
    void _commonInit(char* title, LFSize size, int resizable);
    void _set2DRenderingMode();
    void _set3DRenderingMode();
    void _updateWithCurrentRenderingMode();
    void _readPixels(char* buffer, int width, int height);
    void _flipPixels(char* pixelBuffer, int width, int height);
    // The drawable read once, upright, in a new[] block of 4 x width x height
    // bytes, with the size it was read at; null when there is no memory.
    // Buffer, read and flip share that one size.
    char* _capturePixels(int& width, int& height);

    SDL_Window* _window;
    SDL_GLContext _context;
    LFWindowRenderingMode _renderingMode;
    LFSize _cachedSize;
    Uint64 _serial;

    // The library's own way in to the members above (its private headers).
    friend struct _LFWindowAccess;
};

#endif
