// The fixed-rate logic loop: how many ticks each frame runs, the frame-rate
// limit, the SDL event pump that feeds input and window state, and the
// library's clock and delay.
#include <string.h>  // memcpy

#include "LFClock.h"
#include "graphics/LFWindowPrivate.h"
#include "input/LFGamePadPrivate.h"
#include "input/LFKeyboardPrivate.h"
#include "input/LFMousePrivate.h"
#include "input/LFTouchPrivate.h"
#include "math/LFMathUtilitiesPrivate.h"
#include "record/LFRecordPrivate.h"
#include "string/LFStringPrivate.h"
#include "system/LFApplicationPrivate.h"
#include "timing/LFLogicTimingPrivate.h"

// Logic timing, in milliseconds of the library's clock.
Uint32 _LFLogicSpeed = 1;
Uint32 _LFLogicTimeRequiredPerLogicCycle = 1000;
Uint32 _LFLogicCurrentTime = 0;
Uint32 _LFLogicLastTime = 0;
Uint32 _LFLogicTimeElapsed = 0;
Uint32 _LFLogicCurrentCycles = 0;
// The most logic time one frame catches up, in ms (at least one cycle): after
// a longer stall (a suspended machine, a clock that jumped) the loop carries
// on from the present instead of running every tick missed.
static const Uint32 _LFLogicMaxCatchUp = 250;

// Frames per second LFPreLogicLoop lets start at most; 0 for no limit.
static unsigned int _LFFrameRateLimit = 0;
// When the next frame may start under the limit: one period after the time
// the last one was due, so that a sleep that overshoots does not push the
// frames after it back.
static Uint32 _LFNextFrameDue = 0;

static void _LFNoOpWindowResizedCallback(Uint32, LFSize)
{
}

static LFWindowResizedCallback _windowResizedCallback = _LFNoOpWindowResizedCallback;

// The event record the pump polls into.
static SDL_Event _LFMainEvent;

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

// The shortest time between two frame starts under the limit, in the whole
// milliseconds the clock counts: rounded up, so never shorter than 1 / limit s.
static Uint32 _LFFramePeriod()
{
    return 1000 / _LFFrameRateLimit + (1000 % _LFFrameRateLimit != 0);
}

void LFSetFrameRateLimit(unsigned int framesPerSecond)
{
    _LFFrameRateLimit = framesPerSecond;
    if (_LFFrameRateLimit)
        _LFNextFrameDue = _LFLogicLastTime + _LFFramePeriod();
}

unsigned int LFFrameRateLimit()
{
    return _LFFrameRateLimit;
}

// Sleeps until the next frame is due and returns that time, the frame's
// start. A late frame starts at once, and the next one is due a period after
// it: frames missed are not made up for by a burst. So does a frame due more
// than a period ahead: the clock went back (or leapt 2^31 ms), and waiting
// for it could take days.
static Uint32 _LFAwaitFrameStart()
{
    Uint32 start = _LFGetTicks();
    // Differences of the wrapping clock, read as signed.
    Sint32 early = (Sint32)(_LFNextFrameDue - start);
    if (early > 0 && (Uint32)early <= _LFFramePeriod()) {
        _LFDelay((Uint32)early);
        start = _LFNextFrameDue;
    }
    _LFNextFrameDue = start + _LFFramePeriod();
    return start;
}

void LFResetLogicLoop()
{
    _LFLogicTimeElapsed = 0;
    _LFLogicLastTime = _LFGetTicks();
    _LFLogicCurrentTime = _LFLogicLastTime;
    _LFLogicCurrentCycles = 0;
    _LFNextFrameDue = _LFLogicLastTime;
}

void LFPreLogicLoop()
{
    _LFLogicCurrentTime = _LFFrameRateLimit ? _LFAwaitFrameStart() : _LFGetTicks();
    Uint32 cap = SDL_max(_LFLogicMaxCatchUp, _LFLogicTimeRequiredPerLogicCycle);
    Uint32 passed = SDL_min(_LFLogicCurrentTime - _LFLogicLastTime, cap);  // capped first: no sum wraps
    _LFLogicTimeElapsed = SDL_min(_LFLogicTimeElapsed + passed, cap);
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
    LFTouchX = _LFTruncate(finger.x * rect.size.width);
    LFTouchY = _LFTruncate(finger.y * rect.size.height);
    LFTouchPoint = LFMakePoint((float)LFTouchX, (float)LFTouchY);
}

static void _LFHandleWindowEvent(const SDL_WindowEvent& event)
{
    if (event.event != SDL_WINDOWEVENT_RESIZED)
        return;
    LFWindow* window = _LFFindWindow(event.windowID);
    if (window)
        _LFWindowAccess::invalidateSizeCache(window);
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
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
        // SDL leaves the dropped name or text to whoever polls the event.
        SDL_free(event.drop.file);
        break;
    default:
        break;
    }
}

// A recorded run notes every event handled; a replayed one hands out the
// recorded events instead of SDL's.
static int _LFPollEvent(SDL_Event* event)
{
    if (_LFRecordActive)
        return _LFRecordPollEvent(event);
    return SDL_PollEvent(event);
}

static void _LFPumpEvents()
{
    while (_LFPollEvent(&_LFMainEvent)) {
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
