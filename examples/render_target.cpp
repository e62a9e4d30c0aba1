// render_target: drawing into a texture every frame (shapes, a sprite, text),
// then drawing that texture into the window as it is and scaled and rotated.
// P writes the texture to render_target.png, B the window to window.bmp, both
// next to the executable. Escape or the window's close button quits.
#include <stdio.h>  // fprintf

#include <new>  // std::bad_alloc

#include <GL/gl.h>  // glClear: every frame starts from a cleared window

#include "Larchfield/Larchfield.h"

static const float kWidth = 640, kHeight = 480;
static const int kTargetSize = 256;
static const char* const kFontPath = "data/DejaVuSans.ttf";
static const char* const kFishPath = "data/fish.png";

int main(int argc, char* argv[])
{
    // LFInit makes the executable's directory the working directory: the data
    // is read from there, and the files are written there.
    if (!LFInit(LFTempString("%s", argc > 0 ? argv[0] : "render_target"))) {
        fprintf(stderr, "render_target: %s\n", LFError() ? LFError() : "cannot start Larchfield");
        LFDeInit();
        return 1;
    }
    LFWindow* window;
    try {
        window = new LFWindow(LFTempString("Larchfield: render_target"), LFMakeSize(kWidth, kHeight));
    } catch (std::bad_alloc&) {
        fprintf(stderr, "render_target: %s %s\n", LFError(), SDL_GetError());
        LFDeInit();
        return 1;
    }
    window->setRenderContext();
    LFUISetGlobalFont(LFTempString("%s", kFontPath), LFAliased, 16, LFZeroPoint);
    LFTexture* fish = nullptr;
    try {
        fish = new LFTexture(LFTempString("%s", kFishPath));
    } catch (std::bad_alloc&) {
    }
    if (LFUIGlobalFontLineHeight() == 0 || !fish) {  // a font that did not load measures 0
        fprintf(stderr, "render_target: cannot load %s\n", fish ? kFontPath : kFishPath);
        delete fish;
        delete window;
        LFDeInit();
        return 1;
    }
    // A blank texture to draw into; its pixels are undefined until cleared.
    LFTexture* target = new LFTexture(kTargetSize, kTargetSize);

    int ticks = 0, savePNG = 0, saveBMP = 0;
    const char* status = "P saves the texture, B the window";
    LFResetLogicLoop();
    while (!LFApplicationQuitRequested()) {
        LFPreLogicLoop();
        while (LFLogicLoop()) {
            if (LFKey(LFKeyEscape))
                LFApplicationRequestQuit();
            savePNG |= LFKey(LFKeyP, -1);
            saveBMP |= LFKey(LFKeyB, -1);
            ticks++;
            LFLogicUpdate();
        }
        LFPostLogicLoop();

        // Into the texture: while it is selected every drawing call lands in
        // its pixels, with (0, 0) at its top left and y down, as in a window.
        target->clear();
        target->setRenderContext();
        const char* selected = LFCurrentRenderContext() == target ? "the texture" : "?";
        LFDrawRectFill(LFMakeRect(0, 0, kTargetSize, kTargetSize), LFMakeColor(0.15f, 0.25f, 0.45f, 1));
        for (int i = 0; i < 12; i++) {
            LFPoint end = LFParametricCircle(i / 12.0f + ticks / 600.0f, 120, LFMakePoint(128, 128));
            LFDrawLine(LFMakePoint(128, 128), end, LFMakeColor(0.4f, 0.6f, 1, 1));
        }
        LFDrawCircleFill(LFParametricCircle(ticks / 120.0f, 80, LFMakePoint(128, 128)), 16, 24, LFMakeColor(1, 0.8f, 0.2f, 1));
        fish->draw(96, 104, -1);
        LFDrawRect(LFMakeRect(0, 0, kTargetSize, kTargetSize), LFMakeColor(1, 1, 1, 1));
        LFUIGlobalFontPrint(LFMakePoint(8, 6), LFMakeColor(1, 1, 1, 1), LFTempString("tick %d", ticks));
        target->unsetRenderContext();
        // Nothing is selected now, and the viewport and projection are still
        // the texture's: select the window again before drawing into it.
        const char* after = LFCurrentRenderContext() ? "?" : "none";
        window->setRenderContext();

        glClearColor(0.1f, 0.1f, 0.12f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        LFUIGlobalFontPrint(LFMakePoint(20, 10), LFMakeColor(1, 1, 1, 1), "The texture as it is");
        target->draw(20, 40, -1);
        LFUIGlobalFontPrint(LFMakePoint(330, 10), LFMakeColor(1, 1, 1, 1), "scaled 0.8, rotated");
        target->draw(360, 70, 1.0f, 0.8f, (ticks / 2) % 360, 0, -1);
        LFUIGlobalFontPrint(LFMakePoint(20, 320), LFMakeColor(0.7f, 0.7f, 0.75f, 1),
                            LFTempString("Selected while drawing into it: %s; after: %s", selected, after));
        LFUIGlobalFontPrint(LFMakePoint(20, 350), LFMakeColor(0.7f, 0.7f, 0.75f, 1), status);

        if (savePNG) {  // the texture's own pixels, row 0 at the top, with alpha
            status = target->writeToPNG("render_target.png") ? "wrote render_target.png"
                                                                    : "could not write render_target.png";
            savePNG = 0;
        }
        if (saveBMP) {  // what was drawn so far: the back buffer, before the swap
            status = window->saveBuffer("window.bmp", 0) ? "wrote window.bmp" : LFError();
            saveBMP = 0;
        }
        window->swapBuffers();
    }

    delete target;
    delete fish;
    delete window;
    LFDeInit();
    return 0;
}
