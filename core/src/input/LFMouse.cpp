// Polled mouse state: the event pump writes the pointer position and the
// button and wheel flags; callers read them between ticks.
#include "input/LFMousePrivate.h"
#include "record/LFRecordPrivate.h"

// Pointer position and motion, written by the event pump.
int LFMouseX = 0;
int LFMouseY = 0;
LFPoint LFMousePoint = {0, 0};
int LFMouseXRelative = 0;
int LFMouseYRelative = 0;
LFPoint LFMousePointRelative = {0, 0};

// Button flags, set and cleared by button events.
int _LFMouseButtonLeft = 0;
int _LFMouseButtonRight = 0;
int _LFMouseButtonMiddle = 0;

// Wheel flags, set by wheel events and cleared by LFPostLogicLoop.
int _LFMouseButtonWheelUp = 0;
int _LFMouseButtonWheelDown = 0;
int _LFMouseButtonWheelLeft = 0;
int _LFMouseButtonWheelRight = 0;

// The flag SDL's button number feeds, or null for buttons the library ignores.
static int* _LFMouseButtonFlag(Uint8 sdlButton)
{
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: return &_LFMouseButtonLeft;
    case SDL_BUTTON_MIDDLE: return &_LFMouseButtonMiddle;
    case SDL_BUTTON_RIGHT: return &_LFMouseButtonRight;
    default: return NULL;
    }
}

int LFMouse(int button)
{
    switch (button) {
    case 0: return _LFMouseButtonLeft;
    case 1: return _LFMouseButtonRight;
    case 2: return _LFMouseButtonMiddle;
    case 3: return _LFMouseButtonWheelDown;
    case 4: return _LFMouseButtonWheelUp;
    case 5: return _LFMouseButtonWheelLeft;
    case 6: return _LFMouseButtonWheelRight;
    default: return 0;
    }
}

LFPoint LFMousePointAbsolute()
{
    int x = 0;
    int y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    x = _LFRecordValue(_LFRecordPointerX, x);
    y = _LFRecordValue(_LFRecordPointerY, y);
    return LFMakePoint((float)x, (float)y);
}

int LFShowMouse(int show)
{
    return SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void _LFSetMouse(SDL_MouseButtonEvent event)
{
    int* flag = _LFMouseButtonFlag(event.button);
    if (flag)
        *flag = event.state == SDL_PRESSED ? -1 : 0;
}

// Sets, never clears: several wheel events in one frame add up their ways.
void _LFSetMouseWheel(SDL_MouseWheelEvent event)
{
    if (event.y > 0)
        _LFMouseButtonWheelUp = -1;
    if (event.y < 0)
        _LFMouseButtonWheelDown = -1;
    if (event.x < 0)
        _LFMouseButtonWheelLeft = -1;
    if (event.x > 0)
        _LFMouseButtonWheelRight = -1;
}

void _LFSetMouseMotion(SDL_MouseMotionEvent event)
{
    LFMouseX = event.x;
    LFMouseY = event.y;
    LFMousePoint = LFMakePoint((float)LFMouseX, (float)LFMouseY);
    LFMouseXRelative = event.xrel;
    LFMouseYRelative = event.yrel;
    LFMousePointRelative = LFMakePoint((float)LFMouseXRelative, (float)LFMouseYRelative);
}

void _LFClearMouseWheel()
{
    _LFMouseButtonWheelUp = 0;
    _LFMouseButtonWheelDown = 0;
    _LFMouseButtonWheelLeft = 0;
    _LFMouseButtonWheelRight = 0;
}
