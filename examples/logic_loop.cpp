// logic_loop: the fixed-rate logic loop beside the frame rate. The state moves
// in logic ticks, a fixed number per second, while frames come as fast as they
// are drawn: a ball moved per tick keeps its speed when the frame rate
// changes, one moved per frame does not. Keys 1-4 make frames slow (0, 15,
// 40, 100 ms), Up/Down change the logic rate. Wall-clock timers run beside.
// Escape or the window's close button quits.
#include <stdio.h>  // fprintf

#include <new>  // std::bad_alloc

#include <GL/gl.h>  // glClear: every frame starts from a cleared window

#include "Larchfield/Larchfield.h"

static const float kWidth = 640, kHeight = 480;
static const char* const kFontPath = "data/DejaVuSans.ttf";
static const float kSpeed = 200;  // pixels per second, for both balls
static const int kFrameCosts[] = {0, 15, 40, 100};
static const unsigned kRates[] = {10, 30, 60, 120};
static const int kHistory = 120;  // frames shown in the ticks-per-frame strip

static void print(float x, float y, const char* text)
{
    LFUIGlobalFontPrint(LFMakePoint(x, y), LFMakeColor(0.9f, 0.9f, 0.95f, 1), text);
}

int main(int argc, char* argv[])
{
    if (!LFInit(LFTempString("%s", argc > 0 ? argv[0] : "logic_loop"))) {
        fprintf(stderr, "logic_loop: %s\n", LFError() ? LFError() : "cannot start Larchfield");
        LFDeInit();
        return 1;
    }
    LFWindow* window;
    try {
        window = new LFWindow(LFTempString("Larchfield: logic_loop"), LFMakeSize(kWidth, kHeight));
    } catch (std::bad_alloc&) {
        fprintf(stderr, "logic_loop: %s %s\n", LFError(), SDL_GetError());
        LFDeInit();
        return 1;
    }
    window->setRenderContext();
    LFUISetGlobalFont(LFTempString("%s", kFontPath), LFAliased, 16, LFZeroPoint);
    if (LFUIGlobalFontLineHeight() == 0) {  // a font that did not load measures 0
        fprintf(stderr, "logic_loop: cannot load %s\n", kFontPath);
        delete window;
        LFDeInit();
        return 1;
    }

    int cost = 0, rate = 2;  // indexes into kFrameCosts and kRates
    LFSetLogicInterval(kRates[rate]);
    float tickBall = 0, frameBall = 0;
    int ticksThisSecond = 0, framesThisSecond = 0, tps = 0, fps = 0, fired = 0;
    int history[kHistory] = {}, frame = 0;
    // Real-time timers count wall-clock seconds, not ticks: one per second
    // for the counters, one of two seconds for the bar, one with a random
    // timeout between 0.3 and 1.5 seconds for the lamp, one for its flash.
    LFRealTimeTimer second(1.0f), bar(2.0f), lamp, flash;
    lamp.setMinMaxTimeout(0.3f, 1.5f);
    LFResetLogicLoop();
    while (!LFApplicationQuitRequested()) {
        // A frame: work out how many ticks are due since the last frame, run
        // them (each pumps the events first), then draw once.
        LFPreLogicLoop();
        int ticks = 0;
        while (LFLogicLoop()) {
            if (LFKey(LFKeyEscape))
                LFApplicationRequestQuit();
            for (int i = 0; i < 4; i++)
                if (LFKey(LFKey1 + i, -1))
                    cost = i;
            int change = LFKey(LFKeyUp, -1) ? 1 : LFKey(LFKeyDown, -1) ? -1 : 0;
            if (change && rate + change >= 0 && rate + change < 4)
                LFSetLogicInterval(kRates[rate += change]);
            // A tick stands for 1000 / rate whole milliseconds (16 at 60).
            tickBall += kSpeed * (1000 / LFLogicInterval()) / 1000.0f;
            tickBall -= tickBall >= 600 ? 600 : 0;
            ticks++;
            LFLogicUpdate();
        }
        LFPostLogicLoop();
        frameBall += kSpeed / 60;  // assumes 60 frames a second: wrong whenever they are not
        frameBall -= frameBall >= 600 ? 600 : 0;
        ticksThisSecond += ticks;
        framesThisSecond++;
        history[frame++ % kHistory] = ticks;
        if (second.tick()) {
            tps = ticksThisSecond;
            fps = framesThisSecond;
            ticksThisSecond = framesThisSecond = 0;
        }
        fired += bar.tick() ? 1 : 0;
        if (lamp.tick())
            flash.reset();

        glClearColor(0.1f, 0.12f, 0.1f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        window->setRenderContext();
        print(20, 10, LFTempString("logic rate %u (Up/Down): %d ticks a second", LFLogicInterval(), tps));
        print(20, 32, LFTempString("frames: %d a second, each made %d ms slower (1-4)", fps, kFrameCosts[cost]));

        const char* lanes[] = {"moved per tick: steady", "moved per frame: speed follows the frame rate"};
        float xs[] = {tickBall, frameBall};
        for (int i = 0; i < 2; i++) {
            float y = 90 + i * 70;
            print(20, y - 22, lanes[i]);
            LFDrawLine(LFMakePoint(20, y + 12), LFMakePoint(620, y + 12), LFMakeColor(0.3f, 0.35f, 0.3f, 1));
            float x = 20 + xs[i];
            LFDrawCircleFill(LFMakePoint(x, y + 12), 10, 20, i ? LFMakeColor(1, 0.5f, 0.3f, 1) : LFMakeColor(0.4f, 1, 0.5f, 1));
        }

        // Ticks run in each of the last frames: one now and then when frames
        // are quicker than ticks, several back to back when they are slower.
        print(20, 222, "ticks run per frame, newest on the right");
        for (int i = 0; i < kHistory; i++) {
            int n = LFMini(history[(frame + i) % kHistory], 9);  // taller bars are cut
            LFDrawRectFill(LFMakeRect(20 + i * 5, 320 - n * 10, 4, n * 10), LFMakeColor(0.5f, 0.8f, 1, 1));
        }
        LFDrawLine(LFMakePoint(20, 320), LFMakePoint(620, 320), LFMakeColor(0.4f, 0.4f, 0.4f, 1));

        print(20, 340, LFTempString("2-second timer: %.2f s; it has fired %d times", bar.elapsedTime(), fired));
        LFDrawRect(LFMakeRect(20, 366, 402, 16), LFMakeColor(0.5f, 0.5f, 0.5f, 1));
        LFDrawRectFill(LFMakeRect(21, 367, 400 * LFMinf(bar.progress(), 1), 14), LFMakeColor(0.9f, 0.8f, 0.3f, 1));
        print(20, 400, "random timer, 0.3 to 1.5 s: the lamp flashes when it fires");
        LFColor lampColor = flash.elapsedTime() < 0.15f ? LFMakeColor(1, 0.3f, 0.3f, 1) : LFMakeColor(0.3f, 0.2f, 0.2f, 1);
        LFDrawCircleFill(LFMakePoint(600, 410), 12, 24, lampColor);
        SDL_Delay(kFrameCosts[cost]);  // stands in for a frame that takes long to draw
        window->swapBuffers();
    }

    delete window;
    LFDeInit();
    return 0;
}
