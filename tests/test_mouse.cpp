// Mouse and touch state through real SDL events pushed into the queue and
// handled by the logic loop's pump, on a 640x480 library window.
#include "TestSupport.h"
#include "input/LFMousePrivate.h"
#include "input/LFTouchPrivate.h"
#include "timing/LFLogicTimingPrivate.h"

namespace {

// The library with its test window, a second window of 640x480 for finger
// positions, the test clock and an empty queue.
class PointerTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        touchWindow = new LFWindow(LFTempString("touch"), LFMakeSize(640, 480));
        TestClock::install();
        LFResetLogicLoop();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        releaseEverything();
    }

    void TearDown() override
    {
        delete touchWindow;
        TestClock::uninstall();
        WindowTest::TearDown();
    }

    // Buttons and finger persist in the module; tests that share one process
    // start from nothing pressed.
    static void releaseEverything()
    {
        for (Uint8 button : {SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT})
            _LFSetMouse(buttonEvent(SDL_MOUSEBUTTONUP, button).button);
        _LFSetTouching(0);
        LFPostLogicLoop();
    }

    // Runs one frame of `ticks` ticks; body(tick) runs inside each tick, where
    // the game's update runs.
    template <typename Body>
    void frame(int ticks, Body body)
    {
        TestClock::now += ticks * _LFLogicTimeRequiredPerLogicCycle;
        LFPreLogicLoop();
        int tick = 0;
        while (LFLogicLoop()) {
            body(tick);
            LFLogicUpdate();
            tick++;
        }
        LFPostLogicLoop();
        EXPECT_EQ(ticks, tick);
    }

    void frame()
    {
        frame(1, [](int) {});
    }

    static void push(SDL_Event event) { ASSERT_EQ(1, SDL_PushEvent(&event)); }

    SDL_Event wheelEvent(int x, int y)
    {
        SDL_Event e = {};
        e.type = SDL_MOUSEWHEEL;
        e.wheel.windowID = window->id();
        e.wheel.x = x;
        e.wheel.y = y;
        e.wheel.preciseX = (float)x;
        e.wheel.preciseY = (float)y;
        return e;
    }

    static SDL_Event buttonEvent(Uint32 type, Uint8 button)
    {
        SDL_Event e = {};
        e.type = type;
        e.button.button = button;
        e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.button.clicks = 1;
        return e;
    }

    SDL_Event windowButtonEvent(Uint32 type, Uint8 button)
    {
        SDL_Event e = buttonEvent(type, button);
        e.button.windowID = window->id();
        return e;
    }


    // The seven LFMouse entries as -1 / 0.
    static std::vector<int> mouseState()
    {
        std::vector<int> state;
        for (int index = 0; index < 7; index++)
            state.push_back(LFMouse(index));
        return state;
    }

    LFWindow* touchWindow = nullptr;
};

using Mouse = PointerTest;
using Touch = PointerTest;

const std::vector<int> kNothing = {0, 0, 0, 0, 0, 0, 0};

TEST_F(Mouse, WheelNotchIsSeenInEveryTickOfItsFrameOnly)
{
    push(wheelEvent(0, -1));
    frame(3, [](int tick) {
        EXPECT_EQ(-1, LFMouse(3)) << tick;
        EXPECT_EQ(0, LFMouse(4)) << tick;
    });
    EXPECT_EQ(0, LFMouse(3)) << "cleared by LFPostLogicLoop";
    frame();
    EXPECT_EQ(kNothing, mouseState());
}

TEST_F(Mouse, WheelFlagsFollowEachWay)
{
    struct Way {
        int x, y, index;
    };
    const Way ways[] = {{0, -2, 3}, {0, 1, 4}, {-1, 0, 5}, {3, 0, 6}};
    for (const Way& way : ways) {
        push(wheelEvent(way.x, way.y));
        frame(1, [&](int) {
            std::vector<int> expected = kNothing;
            expected[way.index] = -1;
            EXPECT_EQ(expected, mouseState()) << way.index;
        });
    }
}

TEST_F(Mouse, DiagonalWheelEventSetsTwoFlags)
{
    push(wheelEvent(1, 1));
    frame(1, [](int) {
        EXPECT_EQ(-1, LFMouse(4)) << "up";
        EXPECT_EQ(-1, LFMouse(6)) << "right";
        EXPECT_EQ(0, LFMouse(3));
        EXPECT_EQ(0, LFMouse(5));
    });
}

TEST_F(Mouse, WheelEventsOfOneFrameAddUp)
{
    push(wheelEvent(0, 1));
    push(wheelEvent(0, -1));
    push(wheelEvent(0, 0));
    frame(1, [](int) {
        EXPECT_EQ(-1, LFMouse(3));
        EXPECT_EQ(-1, LFMouse(4)) << "a later event never clears a flag";
    });
}

TEST_F(Mouse, ButtonsAreHeldUntilReleasedAcrossFrames)
{
    struct Button {
        Uint8 sdlButton;
        int index;
    };
    const Button buttons[] = {{SDL_BUTTON_LEFT, 0}, {SDL_BUTTON_RIGHT, 1}, {SDL_BUTTON_MIDDLE, 2}};
    for (const Button& b : buttons) {
        push(windowButtonEvent(SDL_MOUSEBUTTONDOWN, b.sdlButton));
        frame();
        std::vector<int> expected = kNothing;
        expected[b.index] = -1;
        EXPECT_EQ(expected, mouseState()) << b.index;
        frame();
        EXPECT_EQ(expected, mouseState()) << "still held a frame later: " << b.index;
        push(windowButtonEvent(SDL_MOUSEBUTTONUP, b.sdlButton));
        frame();
        EXPECT_EQ(kNothing, mouseState()) << b.index;
    }
}

TEST_F(Mouse, SideButtonsChangeNothing)
{
    push(windowButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1));
    push(windowButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X2));
    frame();
    EXPECT_EQ(kNothing, mouseState());

    push(windowButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT));
    push(windowButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_X1));
    push(windowButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_X2));
    frame();
    EXPECT_EQ(-1, LFMouse(1)) << "a side button's release leaves the right button held";
}

TEST_F(Mouse, IndexesOutsideTheTableAreZero)
{
    push(windowButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT));
    push(windowButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT));
    push(windowButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE));
    push(wheelEvent(1, 1));
    push(wheelEvent(-1, -1));
    frame(1, [](int) {
        EXPECT_EQ(std::vector<int>(7, -1), mouseState());
        EXPECT_EQ(0, LFMouse(7));
        EXPECT_EQ(0, LFMouse(-1));
        EXPECT_EQ(0, LFMouse(1000));
    });
}

TEST_F(Mouse, RelativeMotionKeepsTheLastEvent)
{
    SDL_Event e = {};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = window->id();
    e.motion.x = 7;
    e.motion.y = 9;
    e.motion.xrel = 4;
    e.motion.yrel = -2;
    push(e);
    frame();
    frame();
    EXPECT_EQ(7, LFMouseX);
    EXPECT_EQ(9, LFMousePoint.y);
    EXPECT_EQ(4, LFMouseXRelative);
    EXPECT_EQ(-2, LFMouseYRelative);
    EXPECT_EQ(4, LFMousePointRelative.x);
    EXPECT_EQ(-2, LFMousePointRelative.y);
}

TEST_F(Mouse, PointAbsoluteIsTheDesktopPosition)
{
    SDL_WarpMouseGlobal(1200, 1000);
    LFPoint p = LFMousePointAbsolute();
    EXPECT_EQ(1200, p.x);
    EXPECT_EQ(1000, p.y);
    SDL_WarpMouseGlobal(4000, 4000);
}

TEST_F(Mouse, ShowMouseReturnsWhatSDLReturns)
{
    // SDL 2 answers with the state before the call: shown (1) or hidden (0).
    ASSERT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY));
    EXPECT_EQ(1, LFShowMouse(0));
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY));
    EXPECT_EQ(0, LFShowMouse(0));
    EXPECT_EQ(0, LFShowMouse(5)) << "any non-zero shows";
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY));
    EXPECT_EQ(1, LFShowMouse(-1));
}

TEST_F(Touch, FingerIsScaledToItsWindow)
{
    EXPECT_EQ(0, LFFingerDown());
    push(FingerEvent(SDL_FINGERDOWN, 0.5f, 0.25f, touchWindow->id()));
    frame();
    EXPECT_EQ(-1, LFFingerDown());
    EXPECT_EQ(320, LFTouchX);
    EXPECT_EQ(120, LFTouchY);
    EXPECT_EQ(320, LFTouchPoint.x);
    EXPECT_EQ(120, LFTouchPoint.y);

    push(FingerEvent(SDL_FINGERMOTION, 0.9999f, 0.0021f, touchWindow->id()));
    frame();
    EXPECT_EQ(639, LFTouchX) << "truncated toward zero";
    EXPECT_EQ(1, LFTouchY);

    push(FingerEvent(SDL_FINGERUP, 0.1f, 0.1f, touchWindow->id()));
    frame();
    EXPECT_EQ(0, LFFingerDown());
    EXPECT_EQ(639, LFTouchX) << "lifting the finger keeps the position";
    EXPECT_EQ(1, LFTouchY);
}

TEST_F(Touch, FingerOnAnUnknownWindowChangesTheFlagOnly)
{
    push(FingerEvent(SDL_FINGERDOWN, 0.5f, 0.25f, touchWindow->id()));
    frame();
    push(FingerEvent(SDL_FINGERUP, 0.5f, 0.25f, touchWindow->id()));
    frame();
    ASSERT_EQ(0, LFFingerDown());
    push(FingerEvent(SDL_FINGERDOWN, 0.75f, 0.75f, 4242));
    frame();
    EXPECT_EQ(-1, LFFingerDown());
    EXPECT_EQ(320, LFTouchX);
    EXPECT_EQ(120, LFTouchY);
    push(FingerEvent(SDL_FINGERMOTION, 0.75f, 0.75f, 4242));
    frame();
    EXPECT_EQ(320, LFTouchPoint.x);
    push(FingerEvent(SDL_FINGERUP, 0.75f, 0.75f, 4242));
    frame();
    EXPECT_EQ(0, LFFingerDown());
    EXPECT_EQ(120, LFTouchPoint.y);
}

TEST_F(Touch, TwoMotionsQueuedTogetherUpdateOnce)
{
    push(FingerEvent(SDL_FINGERMOTION, 0.25f, 0.5f, touchWindow->id()));
    push(FingerEvent(SDL_FINGERMOTION, 0.75f, 0.75f, touchWindow->id()));
    frame();
    EXPECT_EQ(160, LFTouchX);
    EXPECT_EQ(240, LFTouchY);
    EXPECT_EQ(0, LFFingerDown()) << "motion alone does not put a finger down";
}

}  // namespace
