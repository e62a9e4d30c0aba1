// The fixed-rate logic loop: how many ticks each frame runs, the frame-rate
// limit, the SDL event pump that feeds input and window state, and the
// library's clock and delay.
#include <string.h>  // memcpy

#include "LFApplication.h"
#include "LFGamePad.h"
#include "LFKeyboard.h"
#include "LFLogicTiming.h"
#include "LFMouse.h"
#include "LFString.h"
#include "LFTouch.h"
#include "LFWindow.h"

// Logic timing, in milliseconds of the library's clock.
Uint32 _LFLogicSpeed = 1;
Uint32 _LFLogicTimeRequiredPerLogicCycle = 1000;
Uint32 _LFLogicCurrentTime = 0;
Uint32 _LFLogicLastTime = 0;
Uint32 _LFLogicTimeElapsed = 0;
Uint32 _LFLogicCurrentCycles = 0;

// Frames per second LFPreLogicLoop lets start at most; 0 for no limit. Frame
// starts are kept on a grid of 1000 / limit ms, counted from a start that
// moves on by 1000 ms every second: a sleep that overshoots does not push
// later frames back, and the grid stays exact in whole milliseconds.
static unsigned int _LFFrameRateLimit = 0;
static Uint32 _LFFrameGridStart = 0;
static unsigned int _LFFrameGridFrames = 0;

static void _LFNoOpWindowResizedCallback(Uint32, LFSize)
{
}

static LFWindowResizedCallback _windowResizedCallback = _LFNoOpWindowResizedCallback;

// The clock every timing module reads; tests replace it.
static Uint32 (*_LFTicksSource)() = SDL_GetTicks;

Uint32 _LFGetTicks()
{
    return _LFTicksSource();
}

void _LFSetTicksSource(Uint32 (*source)())
{
    _LFTicksSource = source ? source : SDL_GetTicks;
}

// The wait every timing module sleeps through; tests replace it with one that
// moves their clock on.
static void (*_LFDelayFunction)(Uint32) = SDL_Delay;

void _LFDelay(Uint32 ms)
{
    _LFDelayFunction(ms);
}

void _LFSetDelayFunction(void (*delay)(Uint32))
{
    _LFDelayFunction = delay ? delay : SDL_Delay;
}

void LFSetLogicInterval(unsigned int BPS)
{
    if (BPS < 1)
        BPS = 1;
    if (BPS > 1000)
        BPS = 1000;
    _LFLogicSpeed = BPS;
    _LFLogicTimeRequiredPerLogicCycle = 1000 / BPS;
    if (_LFLogicTimeRequiredPerLogicCycle == 0)
        _LFLogicTimeRequiredPerLogicCycle = 1;
}

unsigned int LFLogicInterval()
{
    return _LFLogicSpeed;
}

void LFSetWindowResizedCallback(LFWindowResizedCallback callback)
{
    _windowResizedCallback = callback ? callback : _LFNoOpWindowResizedCallback;
}

void LFSetFrameRateLimit(unsigned int framesPerSecond)
{
    _LFFrameRateLimit = framesPerSecond;
    // The next frame is due one frame after the last one started.
    _LFFrameGridStart = _LFLogicLastTime;
    _LFFrameGridFrames = 1;
}

unsigned int LFFrameRateLimit()
{
    return _LFFrameRateLimit;
}

// Sleeps until the next frame of the limit is due and returns that time, the
// frame's start. A frame that is late starts at once, and the grid starts
// again from it: frames missed are not made up for by a burst.
static Uint32 _LFAwaitFrameStart()
{
    if (_LFFrameGridFrames >= _LFFrameRateLimit) {
        _LFFrameGridStart += 1000;
        _LFFrameGridFrames -= _LFFrameRateLimit;
    }
    Uint32 due = _LFFrameGridStart + (Uint32)((Uint64)_LFFrameGridFrames * 1000 / _LFFrameRateLimit);
    Uint32 now = _LFGetTicks();
    // Differences of the wrapping clock, read as signed: due lies within a
    // second of now.
    Sint32 early = (Sint32)(due - now);
    if (early > 0) {
        _LFDelay((Uint32)early);
    } else if (early < 0) {
        _LFFrameGridStart = now;
        _LFFrameGridFrames = 0;
        due = now;
    }
    _LFFrameGridFrames++;
    return due;
}

void LFResetLogicLoop()
{
    _LFLogicTimeElapsed = 0;
    _LFLogicLastTime = _LFGetTicks();
    _LFLogicCurrentTime = _LFLogicLastTime;
    _LFLogicCurrentCycles = 0;
    _LFFrameGridStart = _LFLogicLastTime;
    _LFFrameGridFrames = 0;
}

void LFPreLogicLoop()
{
    _LFLogicCurrentTime = _LFFrameRateLimit ? _LFAwaitFrameStart() : _LFGetTicks();
    _LFLogicTimeElapsed += _LFLogicCurrentTime - _LFLogicLastTime;
    _LFLogicCurrentCycles = _LFLogicTimeElapsed / _LFLogicTimeRequiredPerLogicCycle;
    if (_LFLogicCurrentCycles == 0)
        _LFDelay(0);
}

static LFWindow* _LFFindWindow(Uint32 windowID)
{
    if (!_windowsMap)
        return NULL;
    _LFWindowsMap::iterator it = _windowsMap->find(windowID);
    return it == _windowsMap->end() ? NULL : it->second;
}

static void _LFUpdateTouchPosition(const SDL_TouchFingerEvent& finger)
{
    LFWindow* window = _LFFindWindow(finger.windowID);
    if (!window)
        return;
    LFRect rect = window->rect();
    LFTouchX = (int)(finger.x * rect.size.width);
    LFTouchY = (int)(finger.y * rect.size.height);
    LFTouchPoint = LFMakePoint((float)LFTouchX, (float)LFTouchY);
}

static void _LFHandleWindowEvent(const SDL_WindowEvent& event)
{
    if (event.event != SDL_WINDOWEVENT_RESIZED)
        return;
    LFWindow* window = _LFFindWindow(event.windowID);
    if (window)
        window->_invalidateSizeCache();
    _windowResizedCallback(event.windowID, LFMakeSize((float)event.data1, (float)event.data2));
}

static void _LFHandleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        _LFAppQuitRequested = -1;
        break;
    case SDL_WINDOWEVENT:
        _LFHandleWindowEvent(event.window);
        break;
    case SDL_KEYDOWN:
        _LFSetKey(event.key.keysym.sym);
        break;
    case SDL_KEYUP:
        _LFUnsetKey(event.key.keysym.sym);
        break;
    case SDL_MOUSEMOTION:
        LFMouseX = event.motion.x;
        LFMouseY = event.motion.y;
        LFMousePoint = LFMakePoint((float)LFMouseX, (float)LFMouseY);
        LFMouseXRelative = event.motion.xrel;
        LFMouseYRelative = event.motion.yrel;
        LFMousePointRelative = LFMakePoint((float)LFMouseXRelative, (float)LFMouseYRelative);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        _LFSetMouse(event.button);
        break;
    case SDL_MOUSEWHEEL:
        _LFSetMouseWheel(event.wheel);
        break;
    case SDL_JOYAXISMOTION:
        _LFSetAxis(event.jaxis.axis, event.jaxis.value);
        break;
    case SDL_JOYHATMOTION:
        _LFSetHat(event.jhat.value);
        break;
    case SDL_JOYBUTTONDOWN:
        _LFSetGamePadButton(event.jbutton.button);
        break;
    case SDL_JOYBUTTONUP:
        _LFUnsetGamePadButton(event.jbutton.button);
        break;
    case SDL_FINGERDOWN:
        _LFSetTouching(-1);
        _LFUpdateTouchPosition(event.tfinger);
        break;
    case SDL_FINGERUP:
        _LFSetTouching(0);
        break;
    case SDL_FINGERMOTION:
        _LFUpdateTouchPosition(event.tfinger);
        break;
    default:
        break;
    }
}

static void _LFPumpEvents()
{
    while (SDL_PollEvent(&_LFMainEvent)) {
        // The third word of the event is the window id of window, key, text
        // and mouse events (a device or touch id for the others).
        memcpy(&LFCurrentEventWindowID, (const char*)&_LFMainEvent + 2 * sizeof(Uint32), sizeof(Uint32));
        _LFHandleEvent(_LFMainEvent);
        // Finger and gesture events queued behind this one are dropped.
        SDL_FlushEvents(SDL_FINGERDOWN, SDL_MULTIGESTURE);
    }
}

int LFLogicLoop()
{
    if (_LFLogicCurrentCycles == 0)
        return 0;
    _LFPumpEvents();
    return -1;
}

void LFLogicUpdate()
{
    if (_LFLogicCurrentCycles > 0) {
        _LFLogicCurrentCycles--;
        if (_LFLogicCurrentCycles == 0)
            _LFLogicTimeElapsed = 0;
    }
    _LFCleanTempStrings();
}

void LFPostLogicLoop()
{
    _LFMouseButtonWheelUp = 0;
    _LFMouseButtonWheelDown = 0;
    _LFMouseButtonWheelLeft = 0;
    _LFMouseButtonWheelRight = 0;
    _LFLogicLastTime = _LFLogicCurrentTime;
}
