// Real SDL events pushed into the queue and handled by the logic loop's pump.
#include <limits.h>  // INT_MIN, INT_MAX
#include <math.h>    // NAN, INFINITY
#include <stdlib.h>  // system

#include "TestSupport.h"
#include "input/LFKeyboardPrivate.h"

class Pump : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        TestClock::install();
        LFResetLogicLoop();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }

    void TearDown() override
    {
        LFSetWindowResizedCallback(NULL);
        TestClock::uninstall();
        WindowTest::TearDown();
    }

    // Runs the first tick of a frame, which drains the queue.
    void pumpOneTick()
    {
        TestClock::now += 16;
        LFPreLogicLoop();
        ASSERT_NE(0, LFLogicLoop());
        LFLogicUpdate();
        while (LFLogicLoop())
            LFLogicUpdate();
        LFPostLogicLoop();
    }

    static void push(SDL_Event event) { ASSERT_EQ(1, SDL_PushEvent(&event)); }



    static SDL_Event resizeEvent(Uint32 windowID, int w, int h)
    {
        SDL_Event e = {};
        e.type = SDL_WINDOWEVENT;
        e.window.event = SDL_WINDOWEVENT_RESIZED;
        e.window.windowID = windowID;
        e.window.data1 = w;
        e.window.data2 = h;
        return e;
    }
};

static Uint32 resizedID;
static Uint32 resizedEventWindowID;
static LFSize resizedSize;
static int resizedCalls;

static void RecordResize(Uint32 windowID, LFSize size)
{
    resizedID = windowID;
    resizedEventWindowID = LFCurrentEventWindowID;
    resizedSize = size;
    resizedCalls++;
}

TEST_F(Pump, QuitEventRequestsQuit)
{
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    push(quit);
    pumpOneTick();
    EXPECT_EQ(-1, LFApplicationQuitRequested());
    LFApplicationCancelQuitRequest();
}

TEST_F(Pump, KeyEventsFillTheKeyTables)
{
    push(KeyEvent(SDL_KEYDOWN, SDLK_RIGHT, window->id()));
    pumpOneTick();
    EXPECT_EQ(-1, _LFKeys[LFKeyRight]);
    EXPECT_EQ(window->id(), LFCurrentEventWindowID);
    EXPECT_NE(0, LFKey(LFKeyRight));

    push(KeyEvent(SDL_KEYUP, SDLK_RIGHT, window->id()));
    pumpOneTick();
    EXPECT_EQ(0, _LFKeys[LFKeyRight]);
    EXPECT_EQ(0, LFKey(LFKeyRight));
}

// A key pressed and released within one pump (a tap) is not held in the
// next tick but counts once there for the press latches; the pump after it
// forgets it, and leaves no latch set that would hide the next press or
// make the delayed repeat fire.
TEST_F(Pump, KeyTappedWithinOnePumpCountsOnceInTheNextTick)
{
    push(KeyEvent(SDL_KEYDOWN, SDLK_ESCAPE, window->id()));
    push(KeyEvent(SDL_KEYUP, SDLK_ESCAPE, window->id()));
    pumpOneTick();
    EXPECT_EQ(0, LFKey(LFKeyEscape));
    EXPECT_EQ(LFKeyEscape, LFKeyPressed());
    EXPECT_EQ(-1, LFKey(LFKeyEscape, -1));
    EXPECT_EQ(0, LFKey(LFKeyEscape));
    EXPECT_EQ(0, LFKey(LFKeyEscape, -1));
    EXPECT_EQ(-1, _LFKeyTextEntry(LFKeyEscape, -1)) << "each latch counts the tap once";
    pumpOneTick();
    EXPECT_EQ(0, LFKeyPressed());
    EXPECT_EQ(0, LFKey(LFKeyEscape, -1));

    // Tapped, reported by the delayed repeat, then quiet for 40 ticks.
    push(KeyEvent(SDL_KEYDOWN, SDLK_a, window->id()));
    push(KeyEvent(SDL_KEYUP, SDLK_a, window->id()));
    pumpOneTick();
    EXPECT_EQ(-1, LFKeyWithDelayedRepeat(LFKeyA));
    for (int tick = 0; tick < 40; tick++) {
        pumpOneTick();
        EXPECT_EQ(0, LFKeyWithDelayedRepeat(LFKeyA)) << tick;
    }
    // Every tap of a run counts, one per pump.
    for (int tap = 0; tap < 20; tap++) {
        push(KeyEvent(SDL_KEYDOWN, SDLK_a, window->id()));
        push(KeyEvent(SDL_KEYUP, SDLK_a, window->id()));
        pumpOneTick();
        EXPECT_EQ(-1, LFKey(LFKeyA, 1)) << tap;
    }
    // A held key is reported once, as before.
    push(KeyEvent(SDL_KEYDOWN, SDLK_a, window->id()));
    pumpOneTick();
    EXPECT_EQ(-1, LFKey(LFKeyA, 1));
    pumpOneTick();
    EXPECT_EQ(0, LFKey(LFKeyA, 1));
    EXPECT_EQ(-1, LFKey(LFKeyA));
    EXPECT_EQ(LFKeyA, LFKeyPressed());
}

#ifndef _WIN32
// True once SDL's queue holds both a press and a release of the given types
// whose key symbol or button matches, reading what the X server has sent.
// Waits for the X server, not for time: at most 5 s, for a loaded machine.
static bool QueueHoldsPressAndRelease(Uint32 downType, Uint32 upType, int which)
{
    for (int attempt = 0; attempt < 500; attempt++) {
        SDL_PumpEvents();
        SDL_Event events[256];
        int count = SDL_PeepEvents(events, 256, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
        bool down = false, up = false;
        for (int i = 0; i < count; i++) {
            const SDL_Event& e = events[i];
            int value = e.type == SDL_KEYDOWN || e.type == SDL_KEYUP ? (int)e.key.keysym.sym : (int)e.button.button;
            down = down || (e.type == downType && value == which);
            up = up || (down && e.type == upType && value == which);
        }
        if (up)
            return true;
        SDL_Delay(10);
    }
    return false;
}
#endif

// A real key tap and a real click, made by the X server's XTest extension
// (xdotool) with no tick between press and release, as a quick keystroke and
// click arrive: each counts once in the tick after them.
TEST_F(Pump, RealTapAndClickFromTheXServerCountOnce)
{
#ifndef _WIN32
    // The window, found by a title of this process's own among the tests'.
    std::string title = "Larchfield tap test " + std::to_string(getpid());
    window->setTitle(title.c_str());
    ASSERT_EQ(0, system(LFTempString("xdotool search --sync --name '^%s$' windowfocus --sync", title.c_str())));
    ASSERT_EQ(0, system("xdotool keydown a keyup a"));
    ASSERT_TRUE(QueueHoldsPressAndRelease(SDL_KEYDOWN, SDL_KEYUP, SDLK_a));
    pumpOneTick();
    EXPECT_EQ(0, LFKey(LFKeyA));
    EXPECT_EQ(-1, LFKey(LFKeyA, -1));
    EXPECT_EQ(0, LFKey(LFKeyA, -1));

    // The pointer is shared with the other tests on the X server, which move
    // it away when they start: a click that landed elsewhere is made again.
    bool clicked = false;
    for (int attempt = 0; attempt < 3 && !clicked; attempt++) {
        ASSERT_EQ(0, system(LFTempString("xdotool search --name '^%s$' mousemove --window %%1 10 10", title.c_str())));
        ASSERT_EQ(0, system("xdotool mousedown 1 mouseup 1"));
        clicked = QueueHoldsPressAndRelease(SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    }
    ASSERT_TRUE(clicked);
    pumpOneTick();
    EXPECT_EQ(0, LFMouse(0));
    EXPECT_EQ(-1, LFMouse(0, -1));
    EXPECT_EQ(0, LFMouse(0, -1));
    pumpOneTick();
    EXPECT_EQ(0, LFMouse(0, -1));
    EXPECT_EQ(0, LFKey(LFKeyA, -1));
#else
    GTEST_SKIP() << "no X server to make real input (Wine)";
#endif
}

TEST_F(Pump, ResizeOfAnUnknownWindowStillCallsTheCallback)
{
    resizedCalls = 0;
    LFSetWindowResizedCallback(RecordResize);
    push(resizeEvent(4242, 300, 200));
    pumpOneTick();
    EXPECT_EQ(1, resizedCalls);
    EXPECT_EQ(4242u, resizedID);
    EXPECT_EQ(300, resizedSize.width);
    EXPECT_EQ(200, resizedSize.height);
    EXPECT_EQ(4242u, resizedEventWindowID);
}

TEST_F(Pump, ResizeOfAKnownWindowClearsItsSizeCache)
{
    EXPECT_EQ(kWidth, window->size().width);
    SDL_SetWindowSize(SDL_GetWindowFromID(window->id()), 100, 80);
    EXPECT_EQ(kWidth, window->size().width) << "the cache holds the old size";
    push(resizeEvent(window->id(), 100, 80));
    pumpOneTick();
    EXPECT_EQ(100, window->size().width);
    EXPECT_EQ(80, window->size().height);
}

TEST_F(Pump, NullResizeCallbackInstallsANoOp)
{
    resizedCalls = 0;
    LFSetWindowResizedCallback(RecordResize);
    LFSetWindowResizedCallback(NULL);
    push(resizeEvent(window->id(), 64, 48));
    pumpOneTick();
    EXPECT_EQ(0, resizedCalls);
}

TEST_F(Pump, MouseMotionSetsThePointer)
{
    SDL_Event e = {};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = window->id();
    e.motion.x = 12;
    e.motion.y = 34;
    e.motion.xrel = -3;
    e.motion.yrel = 5;
    push(e);
    pumpOneTick();
    EXPECT_EQ(12, LFMouseX);
    EXPECT_EQ(34, LFMouseY);
    EXPECT_EQ(12, LFMousePoint.x);
    EXPECT_EQ(34, LFMousePoint.y);
    EXPECT_EQ(-3, LFMouseXRelative);
    EXPECT_EQ(5, LFMousePointRelative.y);
}

TEST_F(Pump, FingerPositionIsScaledToTheWindow)
{
    push(FingerEvent(SDL_FINGERDOWN, 0.5f, 0.25f, window->id()));
    pumpOneTick();
    EXPECT_EQ(32, LFTouchX);
    EXPECT_EQ(12, LFTouchY);
    EXPECT_EQ(32, LFTouchPoint.x);

    push(FingerEvent(SDL_FINGERMOTION, 0.5f, 0.5f, 999));
    pumpOneTick();
    EXPECT_EQ(12, LFTouchY) << "a finger on an unknown window moves nothing";
}

// Coordinates no device reports, as a damaged recording could replay them:
// the position pins to 0 for NaN and to the ends of the int range beyond it,
// where a plain conversion is undefined (x86 gives INT_MIN for all of them).
TEST_F(Pump, FingerPositionsBeyondTheIntRangePin)
{
    struct {
        float x, y;
        int touchX, touchY;
    } cases[] = {{NAN, NAN, 0, 0}, {INFINITY, -INFINITY, INT_MAX, INT_MIN}, {1e30f, -1e30f, INT_MAX, INT_MIN},
                 {-NAN, 0.5f, 0, 24}};
    for (auto& c : cases) {
        push(FingerEvent(SDL_FINGERMOTION, c.x, c.y, window->id()));
        pumpOneTick();
        EXPECT_EQ(c.touchX, LFTouchX) << c.x;
        EXPECT_EQ(c.touchY, LFTouchY) << c.y;
        EXPECT_EQ((float)c.touchX, LFTouchPoint.x) << c.x;
    }
}

// SDL hands the name of a dropped file, and a dropped text, to whoever polls
// the event: the pump frees them. SDL counts what it allocates.
TEST_F(Pump, DroppedFileNamesAndTextsAreFreed)
{
    // Queue entries are allocated once and kept for reuse: fill the pool first.
    SDL_Event filler = {};
    filler.type = SDL_USEREVENT;
    for (int i = 0; i < 100; i++)
        push(filler);
    pumpOneTick();

    int before = SDL_GetNumAllocations();
    for (int i = 0; i < 100; i++) {
        SDL_Event drop = {};
        drop.type = i % 2 ? SDL_DROPTEXT : SDL_DROPFILE;
        drop.drop.file = SDL_strdup("/home/someone/a dropped file.png");
        drop.drop.windowID = window->id();
        push(drop);
    }
    EXPECT_EQ(before + 100, SDL_GetNumAllocations());
    pumpOneTick();
    EXPECT_EQ(before, SDL_GetNumAllocations());
}

TEST_F(Pump, FingerEventsQueuedBehindAnotherAreDropped)
{
    push(FingerEvent(SDL_FINGERMOTION, 0.25f, 0.25f, window->id()));
    push(FingerEvent(SDL_FINGERMOTION, 0.75f, 0.75f, window->id()));
    pumpOneTick();
    EXPECT_EQ(16, LFTouchX);
    EXPECT_EQ(12, LFTouchY);
}

static SDL_Event TextEvent(const char* text)
{
    SDL_Event e = {};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, text, sizeof e.text.text);
    return e;
}

// The text of a tick's events, whole, only while text input is on.
TEST_F(Pump, TypedTextIsTheTextOfTheTicksEvents)
{
    push(TextEvent("h\xC3\xA9"));
    pumpOneTick();
    EXPECT_STREQ("", LFTextTyped()) << "off until started";

    LFStartTextInput();
    push(TextEvent("h\xC3\xA9"));
    push(TextEvent("llo \xE2\x82\xAC"));
    pumpOneTick();
    EXPECT_STREQ("h\xC3\xA9llo \xE2\x82\xAC", LFTextTyped());
    pumpOneTick();
    EXPECT_STREQ("", LFTextTyped()) << "emptied at the next tick";

    // 1023 bytes a tick at most: the events that do not fit are left out whole.
    std::string expected;
    for (int i = 0; i < 40; i++) {
        push(TextEvent("abcdefghijklmnopqrstuvwxyz\xC3\xA9"));
        if (expected.size() + 28 <= 1023)
            expected += "abcdefghijklmnopqrstuvwxyz\xC3\xA9";
    }
    push(TextEvent("z"));
    pumpOneTick();
    EXPECT_EQ(expected, LFTextTyped());

    LFStopTextInput();
    push(TextEvent("x"));
    pumpOneTick();
    EXPECT_STREQ("", LFTextTyped());
}
