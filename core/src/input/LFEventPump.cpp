// The SDL event pump: every event due at a logic tick goes to the module it
// concerns, each through its setter (keyboard, game pad, mouse, touch), the
// window map (resizes) or the quit request. LFLogicLoop runs it.
#include <string.h>  // memcpy

#include "graphics/LFWindowPrivate.h"  // the windows events name
#include "input/LFEventPumpPrivate.h"
#include "input/LFGamePadPrivate.h"
#include "input/LFKeyboardPrivate.h"
#include "input/LFMousePrivate.h"
#include "input/LFTouchPrivate.h"
#include "record/LFRecordPrivate.h"
#include "system/LFApplicationPrivate.h"

static void _LFNoOpWindowResizedCallback(Uint32, LFSize)
{
}

static LFWindowResizedCallback _windowResizedCallback = _LFNoOpWindowResizedCallback;

// The event record the pump polls into.
static SDL_Event _LFMainEvent;

void LFSetWindowResizedCallback(LFWindowResizedCallback callback)
{
    _windowResizedCallback = callback ? callback : _LFNoOpWindowResizedCallback;
}

static LFWindow* _LFFindWindow(Uint32 windowID)
{
    if (!_windowsMap)
        return NULL;
    _LFWindowsMap::iterator it = _windowsMap->find(windowID);
    return it == _windowsMap->end() ? NULL : it->second;
}

// A finger on a window the library did not create leaves the position as it was.
static void _LFUpdateTouchPosition(const SDL_TouchFingerEvent& finger)
{
    LFWindow* window = _LFFindWindow(finger.windowID);
    if (window)
        _LFSetTouchPosition(finger.x, finger.y, window->rect().size);
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
        _LFSetMouseMotion(event.motion);
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

void _LFPumpEvents()
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
