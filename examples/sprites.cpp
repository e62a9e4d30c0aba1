// sprites: textures loaded from PNG files and drawn placed, stretched, scaled,
// rotated, mirrored, tinted and translucent; frames cut out of a sprite sheet
// with source rectangles; and a nine-slice panel that keeps its corners while
// it resizes. Escape or the window's close button quits.
#include <math.h>   // sinf
#include <stdio.h>  // fprintf

#include <new>  // std::bad_alloc

#include <GL/gl.h>  // glClear: every frame starts from a cleared window

#include "Larchfield/Larchfield.h"

static const float kWidth = 640, kHeight = 480;
static const char* const kFontPath = "data/DejaVuSans.ttf";
static const char* const kTexturePaths[] = {"data/fish.png", "data/coin.png", "data/panel.png"};
static const int kCoinFrame = 32;  // coin.png holds four 32 x 32 frames side by side

static void label(float x, float y, const char* text)
{
    LFUIGlobalFontPrint(LFMakePoint(x, y), LFMakeColor(1, 1, 1, 1), text);
}

int main(int argc, char* argv[])
{
    // LFInit makes the executable's directory the working directory (so the
    // data paths work from anywhere); it writes into its argument: pass a copy.
    if (!LFInit(LFTempString("%s", argc > 0 ? argv[0] : "sprites"))) {
        fprintf(stderr, "sprites: %s\n", LFError() ? LFError() : "cannot start Larchfield");
        LFDeInit();
        return 1;
    }
    LFWindow* window;
    try {
        window = new LFWindow(LFTempString("Larchfield: sprites"), LFMakeSize(kWidth, kHeight));
    } catch (std::bad_alloc&) {
        fprintf(stderr, "sprites: %s %s\n", LFError(), SDL_GetError());
        LFDeInit();
        return 1;
    }
    window->setRenderContext();

    // Textures belong to the OpenGL context of the window current at loading.
    // A file that cannot be loaded throws std::bad_alloc.
    const char* missing = nullptr;
    LFTexture* textures[3] = {};
    LFUISetGlobalFont(LFTempString("%s", kFontPath), LFAliased, 16, LFZeroPoint);
    if (LFUIGlobalFontLineHeight() == 0)  // a font that did not load measures 0
        missing = kFontPath;
    for (int i = 0; i < 3 && !missing; i++) {
        try {
            textures[i] = new LFTexture(LFTempString("%s", kTexturePaths[i]));
        } catch (std::bad_alloc&) {
            missing = kTexturePaths[i];
        }
    }
    if (missing) {
        fprintf(stderr, "sprites: cannot load %s\n", missing);
        for (LFTexture* texture : textures)
            delete texture;
        delete window;
        LFDeInit();
        return 1;
    }
    LFTexture* fish = textures[0];
    LFTexture* coin = textures[1];
    LFTexture* panel = textures[2];

    int ticks = 0;
    LFResetLogicLoop();
    while (!LFApplicationQuitRequested()) {
        LFPreLogicLoop();
        while (LFLogicLoop()) {
            if (LFKey(LFKeyEscape))
                LFApplicationRequestQuit();
            ticks++;
            LFLogicUpdate();
        }
        LFPostLogicLoop();

        glClearColor(0.16f, 0.42f, 0.62f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        window->setRenderContext();

        // draw(x, y, -1): the whole texture, its top-left corner at (x, y).
        // The last argument, doQuadWrap, is -1 for a complete quad.
        label(20, 8, "placed");
        fish->draw(20, 30, -1);
        // The full form: source rectangle, drawn size, position, alpha, scale,
        // rotation in degrees, flip bits, doQuadWrap.
        label(110, 8, "stretched");
        fish->draw(0, 0, 64, 48, 128, 48, 110, 30, 1.0f, 1.0f, 0, 0, -1);
        // Note: alpha and scale must be floats (1.0f, not 1), or the call
        // picks the source-rectangle overload with the same number of ints.
        label(270, 8, "scaled 1.5");
        fish->draw(270, 30, 1.0f, 1.5f, 0, 0, -1);

        label(20, 120, "rotated");  // about the centre, clockwise, in degrees
        fish->draw(20, 150, 1.0f, 1.0f, (ticks * 2) % 360, 0, -1);
        label(130, 120, "mirrored: x     y     both");
        fish->draw(130, 150, 1.0f, 1.0f, 0, 2, -1);  // flip bit 2: left to right
        fish->draw(220, 150, 1.0f, 1.0f, 0, 4, -1);  // flip bit 4: top to bottom
        fish->draw(310, 150, 1.0f, 1.0f, 0, 6, -1);

        // The tint multiplies the texels. It stays on the texture until changed.
        label(20, 230, "tinted");
        fish->setTint(LFMakeColor(0.4f, 1, 0.4f, 1));
        fish->draw(20, 255, -1);
        fish->setTint(LFMakeColor(1, 1, 1, 1));
        label(130, 230, "alpha 0.4");
        for (int i = 0; i < 4; i++)
            LFDrawRectFill(LFMakeRect(130 + i * 16, 255, 8, 48), LFMakeColor(1, 1, 0.6f, 1));
        fish->draw(130, 255, 0.4f, 1.0f, 0, 0, -1);

        // A source rectangle cuts one frame out of the sheet: corners
        // (startX, startY) inclusive and (endX, endY) exclusive.
        int frame = (ticks / 8) % 4;
        label(20, 330, "source rectangles: the sheet, frame by frame");
        coin->draw(20, 360, -1);
        LFDrawRect(LFMakeRect(20 + frame * kCoinFrame, 360, kCoinFrame, kCoinFrame), LFMakeColor(1, 0.2f, 0.2f, 1));
        coin->draw(frame * kCoinFrame, 0, (frame + 1) * kCoinFrame, kCoinFrame, 180, 344, 1.0f, 2.0f, 0, 0, -1);

        // Nine-slice: the 12-pixel corners stay as drawn, edges and centre
        // stretch to fill the rectangle.
        float grow = (sinf(ticks / 40.0f) + 1) / 2;
        LFSize size = LFMakeSize(110 + 100 * grow, 70 + 360 * grow);
        label(420, 8, "nine-slice panel");
        panel->drawNineSlice(LFMakePoint(420, 30), size, 12);
        LFUIGlobalFontPrint(LFMakePoint(436, 44), LFMakeColor(0.3f, 0.2f, 0.1f, 1),
                            LFTempString("%d x %d", (int)size.width, (int)size.height));
        window->swapBuffers();
    }

    for (LFTexture* texture : textures)
        delete texture;
    delete window;
    LFDeInit();
    return 0;
}
