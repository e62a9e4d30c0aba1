// shapes: every drawing primitive of Larchfield - lines, rectangles, circles
// with their segment counts, triangles, filled and outlined, translucent
// colours - and a Bezier curve beside the four easing curves, animated.
// Escape or the window's close button quits.
#include <stdio.h>  // fprintf

#include <new>  // std::bad_alloc

#include <GL/gl.h>  // glClear: every frame starts from a cleared window

#include "Larchfield/Larchfield.h"

static const float kWidth = 640, kHeight = 480;
static const char* const kFontPath = "data/DejaVuSans.ttf";
static const int kTicksPerSweep = 120;  // an easing sweep takes two seconds at 60 ticks a second

static LFColor grey(float v, float a) { return LFMakeColor(v, v, v, a); }

static void label(float x, float y, const char* text)
{
    LFUIGlobalFontPrint(LFMakePoint(x, y), grey(0.85f, 1), text);
}

int main(int argc, char* argv[])
{
    // LFInit makes the executable's directory the working directory, so the
    // relative data paths work from anywhere. It writes into its argument:
    // pass a copy.
    if (!LFInit(LFTempString("%s", argc > 0 ? argv[0] : "shapes"))) {
        fprintf(stderr, "shapes: %s\n", LFError() ? LFError() : "cannot start Larchfield");
        LFDeInit();
        return 1;
    }
    LFWindow* window;
    try {
        window = new LFWindow(LFTempString("Larchfield: shapes"), LFMakeSize(kWidth, kHeight));
    } catch (std::bad_alloc&) {
        fprintf(stderr, "shapes: %s %s\n", LFError(), SDL_GetError());
        LFDeInit();
        return 1;
    }
    window->setRenderContext();
    // The labels use the global UI font. Setting it cannot fail visibly (it
    // returns -1 in any case); a font that did not load measures 0.
    LFUISetGlobalFont(LFTempString("%s", kFontPath), LFAliased, 16, LFZeroPoint);
    if (LFUIGlobalFontLineHeight() == 0) {
        fprintf(stderr, "shapes: cannot load %s\n", kFontPath);
        delete window;
        LFDeInit();
        return 1;
    }

    int ticks = 0;
    LFResetLogicLoop();
    while (!LFApplicationQuitRequested()) {
        // Update: one pass per logic tick that is due (60 a second).
        LFPreLogicLoop();
        while (LFLogicLoop()) {
            if (LFKey(LFKeyEscape))
                LFApplicationRequestQuit();
            ticks++;
            LFLogicUpdate();
        }
        LFPostLogicLoop();

        // Draw: coordinates are window pixels, (0, 0) at the top left, y down.
        glClearColor(0.12f, 0.14f, 0.18f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        window->setRenderContext();

        label(10, 8, "Lines");  // a fan of one-pixel lines, one colour each
        for (int i = 0; i <= 8; i++)
            LFDrawLine(LFMakePoint(20, 130), LFMakePoint(20 + i * 14, 40), LFMakeColor(i / 8.0f, 1 - i / 8.0f, 1, 1));

        label(160, 8, "Rectangles");  // outline: a one-pixel ring inside the rectangle
        LFDrawRect(LFMakeRect(160, 40, 60, 90), LFMakeColor(1, 0.8f, 0.2f, 1));
        LFDrawRectFill(LFMakeRect(230, 40, 60, 90), LFMakeColor(0.9f, 0.2f, 0.2f, 1));

        label(310, 8, "Triangles");  // the outline is drawn two pixels wide
        LFDrawTriangle(LFMakePoint(340, 40), LFMakePoint(370, 130), LFMakePoint(310, 130), LFMakeColor(0.3f, 0.9f, 0.4f, 1));
        LFDrawTriangleFill(LFMakePoint(410, 40), LFMakePoint(440, 130), LFMakePoint(380, 130), LFMakeColor(0.3f, 0.9f, 0.4f, 1));

        label(470, 8, "Translucent");  // alpha 0.5: where they overlap the colours mix
        LFDrawCircleFill(LFMakePoint(535, 70), 34, 32, LFMakeColor(1, 0, 0, 0.5f));
        LFDrawCircleFill(LFMakePoint(575, 70), 34, 32, LFMakeColor(0, 1, 0, 0.5f));
        LFDrawCircleFill(LFMakePoint(555, 104), 34, 32, LFMakeColor(0, 0, 1, 0.5f));

        // Circles are polygons of `segments` points, the first straight below
        // the centre. The angle is summed up, so rounding can add a point: with
        // 3 segments a fourth lands almost on the first.
        label(10, 150, "Circles by segment count (outline, fill)");
        const int segments[] = {3, 5, 8, 16, 32};
        for (int i = 0; i < 5; i++) {
            float x = 64 + i * 128;
            LFDrawCircle(LFMakePoint(x - 28, 222), 25, segments[i], LFMakeColor(0.6f, 0.8f, 1, 1));
            LFDrawCircleFill(LFMakePoint(x + 28, 222), 25, segments[i], LFMakeColor(0.2f, 0.5f, 0.9f, 1));
            LFUIGlobalFontPrint(LFMakePoint(x - 8, 256), grey(0.85f, 1), LFTempString("%d", segments[i]));
        }

        // A cubic Bezier curve through its end points, pulled by two control
        // points, drawn as a batch of short segments with a dot riding it.
        float t = (ticks % kTicksPerSweep) / (float)kTicksPerSweep;
        label(10, 290, "Bezier curve");
        LFPoint p1 = LFMakePoint(30, 460), p2 = LFMakePoint(60, 320), p3 = LFMakePoint(260, 470), p4 = LFMakePoint(290, 330);
        LFDrawLine(p1, p2, grey(0.5f, 1));
        LFDrawLine(p3, p4, grey(0.5f, 1));
        LFPoint segmentEnds[2 * 40];
        for (int i = 0; i < 40; i++) {
            segmentEnds[2 * i] = LFBezierCurve(p1, p2, p3, p4, i / 40.0f);
            segmentEnds[2 * i + 1] = LFBezierCurve(p1, p2, p3, p4, (i + 1) / 40.0f);
        }
        LFDrawLines(segmentEnds, 80, LFMakeColor(1, 0.6f, 0.1f, 1));
        const LFPoint controls[] = {p1, p2, p3, p4};
        for (LFPoint p : controls)
            LFDrawRectFill(LFMakeRect(p.x - 3, p.y - 3, 7, 7), grey(0.9f, 1));
        LFDrawCircleFill(LFBezierCurve(p1, p2, p3, p4, t), 6, 16, LFMakeColor(1, 1, 0.3f, 1));

        // The easing curves map the same t to a position: the dots set off
        // together and arrive together, at different speeds on the way.
        label(330, 290, "Easing curves");
        const char* names[] = {"Linear", "EaseIn", "EaseOut", "EaseInOut"};
        for (int i = 0; i < 4; i++) {
            float y = 330 + i * 38;
            float eased = LFAnimationCurve((LFAnimationCurveType)i, t);
            LFUIGlobalFontPrint(LFMakePoint(330, y - 8), grey(0.6f, 1), names[i]);
            LFDrawLine(LFMakePoint(420, y), LFMakePoint(620, y), grey(0.35f, 1));
            LFDrawCircleFill(LFMakePoint(420 + eased * 200, y), 7, 16, LFMakeColor(0.4f, 1, 0.6f, 1));
        }
        window->swapBuffers();
    }

    delete window;
    LFDeInit();
    return 0;
}
