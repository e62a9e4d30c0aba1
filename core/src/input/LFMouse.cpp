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

// The press latches of LFMouse's indices 0..6, set by the queries with
// once; and the buttons (indices 0..2) gone down during the last pump, which
// count as pressed for the latches until the next pump even when released.
static int _LFMouseLatches[7];
static int _LFMouseTapped[3];

// The flags by LFMouse's index: the buttons 0..2, then the wheel's ways.
static int* const _LFMouseButtonFlags[7] = {
    &_LFMouseButtonLeft, &_LFMouseButtonRight, &_LFMouseButtonMiddle,
    &_LFMouseButtonWheelDown, &_LFMouseButtonWheelUp, &_LFMouseButtonWheelLeft, &_LFMouseButtonWheelRight,
};

// LFMouse's index of SDL's button number, or -1 for buttons the library ignores.
static int _LFMouseButtonIndex(Uint8 sdlButton)
{
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    default: return -1;
    }
}

int LFMouse(int button)
{
    return button >= 0 && button < 7 ? *_LFMouseButtonFlags[button] : 0;
}

int LFMouse(int button, int once)
{
    if (!once || button < 0 || button >= 7)
        return LFMouse(button);
    if (!LFMouse(button) && !(button < 3 && _LFMouseTapped[button])) {
        _LFMouseLatches[button] = 0;
        return 0;
    }
    if (_LFMouseLatches[button])
        return 0;
    _LFMouseLatches[button] = -1;
    return -1;
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

// A press of a button not held counts as tapped; a release ends the press,
// so the next one is reported even if no query saw the button up.
void _LFSetMouse(SDL_MouseButtonEvent event)
{
    int index = _LFMouseButtonIndex(event.button);
    if (index < 0)
        return;
    int pressed = event.state == SDL_PRESSED;
    if (pressed && !*_LFMouseButtonFlags[index])
        _LFMouseTapped[index] = -1;
    if (!pressed)
        _LFMouseLatches[index] = 0;
    *_LFMouseButtonFlags[index] = pressed ? -1 : 0;
}

// A tap's latch, set when it was reported, is cleared with it.
void _LFClearMouseTaps()
{
    for (int i = 0; i < 3; i++) {
        if (_LFMouseTapped[i] && !*_LFMouseButtonFlags[i])
            _LFMouseLatches[i] = 0;
        _LFMouseTapped[i] = 0;
    }
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
    for (int i = 3; i < 7; i++)
        _LFMouseLatches[i] = 0;
}
