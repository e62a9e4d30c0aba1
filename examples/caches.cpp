// caches: two windows sharing the texture cache and the font cache. Every
// window has its own OpenGL context, and OpenGL objects belong to one
// context, so the caches file what they load under the window current at the
// time: the same request gives the same object in one window and a separate
// one in the other. C clears the font cache. Escape or either window's close
// button quits.
#include <stdio.h>  // fprintf

#include <new>  // std::bad_alloc

#include <GL/gl.h>  // glClear: every frame starts from a cleared window

#include "Larchfield/Larchfield.h"

static const LFSize kSize = {420, 300};
static const char* const kFontPath = "data/DejaVuSans.ttf";
static const char* const kFishPath = "data/fish.png";

// SDL asks the application to quit when the last open window is closed. With
// two open, closing one only sends that window a close event, which the
// library's event pump passes over: watch for it here.
static int quitOnClose(void*, SDL_Event* event)
{
    if (event->type == SDL_WINDOWEVENT && event->window.event == SDL_WINDOWEVENT_CLOSE)
        LFApplicationRequestQuit();
    return 0;
}

static void print(float x, float y, int size, const char* text)
{
    // The sized form looks the font up for the window current now.
    LFUIGlobalFontPrint(LFMakePoint(x, y), LFMakeColor(1, 1, 1, 1), size, text);
}

int main(int argc, char* argv[])
{
    if (!LFInit(LFTempString("%s", argc > 0 ? argv[0] : "caches"))) {
        fprintf(stderr, "caches: %s\n", LFError() ? LFError() : "cannot start Larchfield");
        LFDeInit();
        return 1;
    }
    LFWindow* windows[2] = {};
    try {
        windows[0] = new LFWindow(LFTempString("Larchfield: caches (window A)"), kSize);
        windows[1] = new LFWindow(LFTempString("Larchfield: caches (window B)"), kSize);
    } catch (std::bad_alloc&) {
        fprintf(stderr, "caches: %s %s\n", LFError(), SDL_GetError());
        delete windows[0];
        LFDeInit();
        return 1;
    }
    windows[0]->setPosition(LFMakePoint(20, 20));
    windows[1]->setPosition(LFMakePoint(40 + kSize.width, 20));
    SDL_AddEventWatch(quitOnClose, nullptr);

    // The texture cache: one load per path and window. A second load of the
    // same path under A is a hit; the load under B makes B's own texture.
    // Note: the cache keeps one entry per path, so B's load replaces A's
    // entry: A's texture is then no longer the cache's, and ours to delete.
    LFTexture* fish[2] = {};
    int hitInA = 0;
    try {
        windows[0]->setRenderContext();
        LFUISetGlobalFont(LFTempString("%s", kFontPath), LFAliased, 16, LFZeroPoint);
        fish[0] = LFTextureCacheLoad(LFTempString("%s", kFishPath));
        hitInA = LFTextureCacheLoad(LFTempString("%s", kFishPath)) == fish[0];
        windows[1]->setRenderContext();
        fish[1] = LFTextureCacheLoad(LFTempString("%s", kFishPath));
    } catch (std::bad_alloc&) {
    }
    if (LFUIGlobalFontLineHeight() == 0 || !fish[1]) {  // a font that did not load measures 0
        fprintf(stderr, "caches: cannot load %s\n", fish[1] ? kFontPath : kFishPath);
        delete windows[1];
        delete windows[0];
        LFDeInit();
        return 1;
    }

    LFResetLogicLoop();
    while (!LFApplicationQuitRequested()) {
        LFPreLogicLoop();
        while (LFLogicLoop()) {
            if (LFKey(LFKeyEscape))
                LFApplicationRequestQuit();
            if (LFKey(LFKeyC, -1))
                LFClearGUIFontCache();  // the fonts are loaded again as they are asked for
            LFLogicUpdate();
        }
        LFPostLogicLoop();

        // The fonts counted before drawing: after a clear the count climbs
        // back as each window asks for its sizes again.
        int fonts = LFGUIFontCacheSize();
        for (int w = 0; w < 2; w++) {
            LFWindow* window = windows[w];
            window->setRenderContext();  // this window's context: its objects
            glClearColor(w ? 0.2f : 0.12f, 0.14f, w ? 0.12f : 0.22f, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            print(16, 10, 24, w ? "Window B" : "Window A");
            fish[w]->draw(16, 50, 1.0f, 2.0f, 0, 0, -1);
            print(170, 56, 16, LFTempString("its fish: %p", (void*)fish[w]));
            print(170, 80, 16, w ? LFTempString("A's fish: %p", (void*)fish[0])
                                 : LFTempString("loaded again: %s", hitInA ? "the same" : "another"));
            print(16, 160, 16, LFTempString("font cache: %d fonts (C clears it)", fonts));
            print(16, 184, 16, "one per size and window:");
            print(16, 214, 24, "24 pixels");
            print(16, 250, 32, "32 pixels");
            window->swapBuffers();
        }
    }

    // B's texture is the cache's (LFDeInit purges it); A's became ours when
    // B's load replaced it, and goes with A's context current.
    windows[0]->setRenderContext();
    delete fish[0];
    SDL_DelEventWatch(quitOnClose, nullptr);
    delete windows[1];
    delete windows[0];
    LFDeInit();
    return 0;
}
