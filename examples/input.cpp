// input: a live view of the polled input state - keys held, press latches
// (arrows step a marker once per press), delayed repeat (letters type, and
// repeat when held), the mouse (position, motion, buttons, wheel), touch, and
// a game pad when one is attached (P looks again). H hides the cursor.
// Escape or the window's close button quits.
#include <stdio.h>   // fprintf
#include <string.h>  // strlen, memmove

#include <new>  // std::bad_alloc

#include <GL/gl.h>  // glClear: every frame starts from a cleared window

#include "Larchfield/Larchfield.h"

static const float kWidth = 640, kHeight = 480;
static const char* const kFontPath = "data/DejaVuSans.ttf";
static const char* const kRows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
static const LFColor kLit = {1, 0.75f, 0.2f, 1}, kDim = {0.3f, 0.32f, 0.4f, 1}, kText = {0.9f, 0.9f, 0.95f, 1};

static void print(float x, float y, const char* text) { LFUIGlobalFontPrint(LFMakePoint(x, y), kText, text); }

// A box, filled when on, with a label inside.
static void box(LFRect r, int on, const char* label)
{
    LFDrawRectFill(r, on ? kLit : kDim);
    LFUIGlobalFontPrint(LFMakePoint(r.origin.x + 4, r.origin.y + 3), on ? LFMakeColor(0, 0, 0, 1) : kText, label);
}

int main(int argc, char* argv[])
{
    if (!LFInit(LFTempString("%s", argc > 0 ? argv[0] : "input"))) {
        fprintf(stderr, "input: %s\n", LFError() ? LFError() : "cannot start Larchfield");
        LFDeInit();
        return 1;
    }
    LFWindow* window;
    try {
        window = new LFWindow(LFTempString("Larchfield: input"), LFMakeSize(kWidth, kHeight));
    } catch (std::bad_alloc&) {
        fprintf(stderr, "input: %s %s\n", LFError(), SDL_GetError());
        LFDeInit();
        return 1;
    }
    window->setRenderContext();
    LFUISetGlobalFont(LFTempString("%s", kFontPath), LFAliased, 14, LFZeroPoint);
    if (LFUIGlobalFontLineHeight() == 0) {  // a font that did not load measures 0
        fprintf(stderr, "input: cannot load %s\n", kFontPath);
        delete window;
        LFDeInit();
        return 1;
    }
    int pad = LFInitGamePad();  // the first joystick, if there is one

    char typed[24] = "";
    int markerX = 0, wheelTurns[4] = {}, cursorShown = 1;
    LFResetLogicLoop();
    while (!LFApplicationQuitRequested()) {
        LFPreLogicLoop();
        while (LFLogicLoop()) {  // the pump inside has just read the new events
            if (LFKey(LFKeyEscape))
                LFApplicationRequestQuit();
            // A press latch: true on the first query of each press only.
            markerX += LFKey(LFKeyRight, -1) ? 1 : LFKey(LFKeyLeft, -1) ? -1 : 0;
            markerX = LFMaxi(0, LFMini(9, markerX));
            // Delayed repeat: the press, then every tick once held 30 ticks.
            for (int key = LFKeyA; key <= LFKeyZ; key++)
                if (LFKeyWithDelayedRepeat(key)) {
                    if (strlen(typed) == sizeof(typed) - 1)
                        memmove(typed, typed + 1, sizeof(typed) - 1);
                    strcat(typed, LFKeyToString(key));
                }
            if (LFKey(LFKeyH, -1))
                LFShowMouse(cursorShown = !cursorShown);
            if (LFKey(LFKeyP, -1))
                pad = LFInitGamePad();
            LFLogicUpdate();
        }
        // The wheel flags tell which ways the wheel turned during this frame's
        // ticks; LFPostLogicLoop clears them, so read them once per frame here.
        for (int i = 0; i < 4; i++)
            wheelTurns[i] += LFMouse(3 + i) ? 1 : 0;
        LFPostLogicLoop();

        glClearColor(0.1f, 0.1f, 0.13f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        window->setRenderContext();

        // Keyboard: every key held now is lit.
        print(20, 8, "Keyboard: keys held");
        for (int row = 0; row < 3; row++)
            for (int i = 0; kRows[row][i]; i++) {
                char name[2] = {kRows[row][i], 0};
                box(LFMakeRect(20 + row * 10 + i * 29, 32 + row * 30, 26, 26), LFKey(LFKeyA + name[0] - 'A'), name);
            }
        box(LFMakeRect(60, 122, 140, 24), LFKey(LFKeySpace), "Space");
        int held = LFKeyPressed();
        print(20, 156, LFTempString("lowest code held: %s", held ? LFKeyToString(held) : "none"));
        print(20, 186, "Press latch: Left/Right step once per press");
        for (int i = 0; i < 10; i++)
            LFDrawRectFill(LFMakeRect(20 + i * 29, 210, 26, 16), i == markerX ? kLit : kDim);
        print(20, 240, "Delayed repeat: type, or hold a letter");
        LFDrawRect(LFMakeRect(20, 262, 290, 24), kDim);
        print(26, 266, typed);

        // Mouse: position in window pixels, the last event's motion, buttons, wheel.
        print(340, 8, LFTempString("Mouse at %d, %d  moved %d, %d", LFMouseX, LFMouseY, LFMouseXRelative, LFMouseYRelative));
        LFRect area = LFMakeRect(340, 32, 280, 170);
        LFDrawRect(area, kDim);
        if (LFRectContainsRect(area, LFMakeRect(LFMouseX, LFMouseY, 1, 1))) {
            LFDrawLine(LFMakePoint(area.origin.x, LFMouseY), LFMakePoint(620, LFMouseY), kLit);
            LFDrawLine(LFMakePoint(LFMouseX, area.origin.y), LFMakePoint(LFMouseX, 202), kLit);
        }
        const char* buttons[] = {"Left", "Right", "Middle"};
        for (int i = 0; i < 3; i++)
            box(LFMakeRect(340 + i * 94, 210, 88, 24), LFMouse(i), buttons[i]);
        print(340, 242, LFTempString("wheel turns: down %d up %d left %d right %d", wheelTurns[0], wheelTurns[1],
                                     wheelTurns[2], wheelTurns[3]));
        LFPoint desktop = LFMousePointAbsolute();
        print(340, 262, LFTempString("on the desktop: %.0f, %.0f", desktop.x, desktop.y));

        // Touch: the last finger position, marked while a finger is down.
        print(340, 300, LFTempString("Touch: %s at %d, %d", LFFingerDown() ? "finger down" : "no finger", LFTouchX, LFTouchY));
        if (LFFingerDown())
            LFDrawCircle(LFTouchPoint, 20, 24, kLit);

        // Game pad: buttons, the six axes and the hat (all off without a pad).
        int pressed = LFGamePadPressedButton();
        print(20, 320, !pad ? "Game pad: none attached (P looks again)"
                            : LFTempString("Game pad: %s held", pressed >= 0 ? LFGamePadButtonToString(pressed) : "nothing"));
        for (int i = 0; i < 16; i++)
            box(LFMakeRect(20 + i * 37, 344, 33, 22), LFGamePadButton(i), LFTempString("%d", i + 1));
        for (int axis = 0; axis < 6; axis++) {
            LFDrawRect(LFMakeRect(20 + axis * 100, 380, 90, 12), kDim);
            LFDrawRectFill(LFMakeRect(65 + axis * 100, 381, LFGamePadAxis(axis) / 728.0f, 10), kLit);
        }
        const int hats[] = {SDL_HAT_UP, SDL_HAT_RIGHT, SDL_HAT_DOWN, SDL_HAT_LEFT};
        const char* hatNames[] = {"Up", "Right", "Down", "Left"};
        for (int i = 0; i < 4; i++)
            box(LFMakeRect(20 + i * 70, 404, 64, 22), LFGamePadHat(hats[i]), hatNames[i]);
        window->swapBuffers();
    }

    LFShowMouse(1);
    LFDeInitGamePad();
    delete window;
    LFDeInit();
    return 0;
}
