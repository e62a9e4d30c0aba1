// menu: three buttons centred in a window that can be resized; the one under
// the pointer lights up, a click chooses it (Quit quits). Escape or the close
// button quits too. Written as a first program: no casts, no OpenGL header.
#include <math.h>   // floorf
#include <stdio.h>

#include "Larchfield/Larchfield.h"

static const char* const kLabels[3] = {"Play", "Options", "Quit"};

// Button i of three, centred in a window of the given size.
static LFRect button(int i, LFSize window)
{
    return LFMakeRect((window.width - 240) / 2, window.height / 2 - 104 + i * 76, 240, 56);
}

// Where print must start for text to sit centred in box: across by the width
// stringBounds measures, down by the line's ascender and descender (print puts
// the baseline floor(ascender) + floor(descender) below pos.y).
static LFPoint centred(LFFont* font, const char* text, LFRect box)
{
    float baseline = box.origin.y + (box.size.height + font->ascender() + font->descender()) / 2;
    return LFMakePoint(box.origin.x + (box.size.width - font->stringBounds(text).width) / 2,
                       baseline - floorf(font->ascender()) - floorf(font->descender()));
}

int main(int, char* argv[])
{
    if (!LFInit(LFTempString("%s", argv[0]))) {  // LFInit writes into its argument
        fprintf(stderr, "menu: %s\n", LFError() ? LFError() : "cannot start");
        return 1;
    }
    LFWindow* window = nullptr;
    LFFont* font = nullptr;
    try {
        window = new LFWindow("Larchfield: menu", LFMakeSize(640, 480), -1);  // -1: resizable
        window->setRenderContext();
        font = new LFFont("data/DejaVuSans.ttf", LFAntiAliased);
        font->setSize(28);
    } catch (std::bad_alloc&) {  // LFError() says why: no window, or which file did not load
        fprintf(stderr, "menu: %s\n", LFError());
        LFDeInit();
        return 1;
    }

    int chosen = -1;
    LFResetLogicLoop();
    while (!LFApplicationQuitRequested()) {
        LFPreLogicLoop();
        while (LFLogicLoop()) {
            int clicked = LFMouse(0, -1);  // once per click, however short
            for (int i = 0; i < 3; i++)
                if (clicked && LFRectContainsPoint(button(i, window->size()), LFMousePoint))
                    chosen = i;
            if (LFKey(LFKeyEscape) || chosen == 2)
                LFApplicationRequestQuit();
            LFLogicUpdate();
        }
        LFPostLogicLoop();

        window->setRenderContext();  // after a resize, the new size's projection
        LFClear(LFMakeColor(0.12f, 0.12f, 0.16f, 1));
        for (int i = 0; i < 3; i++) {
            LFRect box = button(i, window->size());
            LFColor fill = LFMakeColor(0.25f, 0.3f, 0.45f, 1);
            if (i == chosen)
                fill = LFMakeColor(0.85f, 0.65f, 0.2f, 1);
            else if (LFRectContainsPoint(box, LFMousePoint))
                fill = LFMakeColor(0.4f, 0.5f, 0.75f, 1);
            LFDrawRectFill(box, fill);
            font->print(centred(font, kLabels[i], box), LFMakeColor(1, 1, 1, 1), "%s", kLabels[i]);
        }
        window->swapBuffers();
    }
    delete font;
    delete window;
    LFDeInit();
    return 0;
}
