// A small Larchfield program for the record-and-replay end-to-end test: it
// draws what the mouse, the wheel, touch and typed text do, beside sparks
// placed by a timer and random draws, so that every frame depends on input,
// time and chance. An X server has no touch screen: while the right button is
// held, the program feeds SDL finger events at the pointer into the queue, and
// the library's pump handles them like any other. Typed text is drawn as a
// bar a byte and printed on standard output at the end. Escape quits.
#include <stdio.h>

#include <string>
#include <vector>

#include <GL/gl.h>

#include "Larchfield/Larchfield.h"

static const float kWidth = 320;
static const float kHeight = 240;

static void pushFinger(Uint32 type, LFWindow* window)
{
    SDL_Event event = {};
    event.type = type;
    event.tfinger.windowID = window->id();
    event.tfinger.x = LFMousePoint.x / kWidth;
    event.tfinger.y = LFMousePoint.y / kHeight;
    SDL_PushEvent(&event);
}

int main(int argc, char** argv)
{
    if (!LFInit(LFTempString("%s", argc > 0 ? argv[0] : "replay_input_program"))) {
        fprintf(stderr, "replay_input_program: %s\n", LFError());
        LFDeInit();
        return 1;
    }
    LFWindow* window = new LFWindow(LFTempString("Pointer"), LFMakeSize(kWidth, kHeight));
    window->setRenderContext();

    std::vector<LFPoint> trail;
    int wheel = 0;
    int fingerHeld = 0;
    LFPoint spark = LFZeroPoint;
    LFRealTimeTimer sparkTimer(0.1f);
    std::string typed;
    LFStartTextInput();
    LFResetLogicLoop();

    while (!LFApplicationQuitRequested()) {
        LFPreLogicLoop();
        while (LFLogicLoop()) {
            if (LFKey(LFKeyEscape, -1))
                LFApplicationRequestQuit();
            if (LFMouse(4))
                wheel++;
            if (LFMouse(3))
                wheel--;
            if (LFMouse(0))
                trail.push_back(LFMousePoint);
            if (LFMouse(1))
                pushFinger(fingerHeld ? SDL_FINGERMOTION : SDL_FINGERDOWN, window);
            else if (fingerHeld)
                pushFinger(SDL_FINGERUP, window);
            fingerHeld = LFMouse(1);
            typed += LFTextTyped();
            if (sparkTimer.tick())
                spark = LFMakePoint(LFRandomize(0, (int)kWidth - 4), LFRandomize(0, (int)kHeight - 4));
            LFLogicUpdate();
        }
        LFPostLogicLoop();

        glClearColor(0.1f, 0.1f, 0.15f + 0.05f * (wheel & 7), 1);
        glClear(GL_COLOR_BUFFER_BIT);
        window->setRenderContext();
        LFDrawRectFill(LFMakeRect(300, 120 - 6 * wheel, 10, 6 * wheel), LFMakeColor(0.2f, 0.6f, 1, 1));
        for (LFPoint p : trail)
            LFDrawRectFill(LFMakeRect(p.x - 1, p.y - 1, 3, 3), LFMakeColor(1, 0.9f, 0.2f, 1));
        LFColor touch = LFFingerDown() ? LFMakeColor(0.2f, 1, 0.4f, 1) : LFMakeColor(0.5f, 0.5f, 0.5f, 1);
        LFDrawCircleFill(LFTouchPoint, 8, 16, touch);
        LFColor cursor = LFMakeColor(LFMouse(0) ? 1.0f : 0.6f, LFMouse(2) ? 1.0f : 0.3f, 0.3f, 1);
        LFDrawLine(LFMakePoint(LFMouseX - 6, LFMouseY), LFMakePoint(LFMouseX + 6, LFMouseY), cursor);
        LFDrawLine(LFMakePoint(LFMouseX, LFMouseY - 6), LFMakePoint(LFMouseX, LFMouseY + 6), cursor);
        LFDrawLine(LFMousePoint, LFMakePoint(LFMouseX - LFMouseXRelative * 3, LFMouseY - LFMouseYRelative * 3),
                   LFMakeColor(1, 1, 1, 0.5f));
        LFDrawRectFill(LFMakeRect(spark.x, spark.y, 4, 4), LFMakeColor(1, 1, 1, 1));
        for (size_t i = 0; i < typed.size(); i++) {
            float height = (unsigned char)typed[i] / 4.0f;
            LFDrawRectFill(LFMakeRect(4 + 3 * i, kHeight - 2 - height, 2, height), LFMakeColor(0.9f, 0.4f, 0.9f, 1));
        }
        window->swapBuffers();
    }

    printf("typed: %s\n", typed.c_str());
    delete window;
    LFDeInit();
    return 0;
}
