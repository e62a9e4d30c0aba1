// Real SDL events pushed into the queue and handled by the logic loop's pump.
#include <limits.h>  // INT_MIN, INT_MAX
#include <math.h>    // NAN, INFINITY

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

TEST_F(Pump, KeyPressedAndReleasedInOnePumpIsNeverSeen)
{
    push(KeyEvent(SDL_KEYDOWN, SDLK_ESCAPE, window->id()));
    push(KeyEvent(SDL_KEYUP, SDLK_ESCAPE, window->id()));
    pumpOneTick();
    EXPECT_EQ(0, LFKey(LFKeyEscape, -1));
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
