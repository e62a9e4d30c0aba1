// Polled game-pad state: the event pump records the first joystick's buttons,
// hat and axes, and the queries answer "held", "just pressed", "held long
// enough to repeat" and "stick pushed", as the keyboard does for keys.
#include "input/LFGamePadPrivate.h"
#include "record/LFRecordPrivate.h"
#include "timing/LFLogicTimingPrivate.h"  // the logic loop's time, for repeats

// The pad and its state: buttons, hat and axes are written by the event pump;
// the latches and down times by the queries that report a press.
SDL_Joystick* _LFGamePad = NULL;
int _LFGamePadButtons[_LFGamePadButtonCount];
int _LFGamePadButtonsDown[_LFGamePadButtonCount];
Uint32 _LFGamePadButtonsDownTime[_LFGamePadButtonCount];
int _LFGamePadHatPosition = 0;
int _LFGamePadAxes[_LFGamePadAxisCount];

// Logic cycles a button must be held before the delayed repeat fires.
static const Uint32 _LFGamePadRepeatDelayCycles = 30;
// An axis is pushed when its value is beyond this, either way.
static const int _LFGamePadAxisThreshold = 16383;
// Axes of the stick directions and triggers.
enum {
    _LFGamePadAxisLeftX = 0,
    _LFGamePadAxisLeftY = 1,
    _LFGamePadAxisRightX = 2,
    _LFGamePadAxisRightY = 3,
    _LFGamePadAxisLeftTrigger = 4,
    _LFGamePadAxisRightTrigger = 5
};

static const char* const _LFGamePadButtonNames[_LFGamePadButtonCount] = {
    "Button 1", "Button 2", "Button 3", "Button 4",
    "Button 5", "Button 6", "Button 7", "Button 8",
    "Button 9", "Button 10", "Button 11", "Button 12",
    "Button 13", "Button 14", "Button 15", "Button 16",
};

static int _LFIsButton(int button)
{
    return button >= 0 && button < _LFGamePadButtonCount;
}

static void _LFReleaseAllButtons()
{
    for (int button = 0; button < _LFGamePadButtonCount; button++) {
        _LFGamePadButtons[button] = 0;
        _LFGamePadButtonsDown[button] = 0;
        _LFGamePadButtonsDownTime[button] = 0;
    }
}

// True once the delay has passed since the query that first saw the press;
// unsigned arithmetic absorbs a wrap of the logic clock.
static int _LFGamePadRepeatDue(int button)
{
    Uint32 heldCycles = (_LFLogicCurrentTime - _LFGamePadButtonsDownTime[button]) / _LFLogicTimeRequiredPerLogicCycle;
    return heldCycles >= _LFGamePadRepeatDelayCycles ? -1 : 0;
}

// The one query behind every button form. Unlike the keyboard's, it leaves
// the latch alone unless asked to latch, and a latching query of a released
// button still moves the down time (harmless: the first held query moves it
// again before the repeat delay is measured).
static int _LFGamePadButton(int button, int once, int allowRepeat)
{
    if (!_LFIsButton(button))
        return 0;
    if (once && _LFGamePadButtonsDown[button])
        return allowRepeat ? _LFGamePadRepeatDue(button) : 0;
    int held = _LFGamePadButtons[button];
    if (once) {
        _LFGamePadButtonsDown[button] = held;
        _LFGamePadButtonsDownTime[button] = _LFLogicCurrentTime;
    }
    return held;
}

// The value of axis 0..7, or 0.
static int _LFAxisValue(int axis)
{
    if (axis < 0 || axis >= _LFGamePadAxisCount)
        return 0;
    return _LFGamePadAxes[axis];
}

static int _LFAxisBelow(int axis)
{
    return _LFAxisValue(axis) < -_LFGamePadAxisThreshold ? 1 : 0;
}

static int _LFAxisAbove(int axis)
{
    return _LFAxisValue(axis) > _LFGamePadAxisThreshold ? 1 : 0;
}

int LFInitGamePad()
{
    if (SDL_NumJoysticks() > 0) {
        LFDeInitGamePad();
        _LFGamePad = SDL_JoystickOpen(0);
    }
    // A replay answers as the recorded run did, whatever pad is plugged in here.
    if (!_LFRecordValue(_LFRecordGamePadOpened, _LFGamePad ? -1 : 0))
        return 0;
    _LFReleaseAllButtons();
    return -1;
}

void LFDeInitGamePad()
{
    if (!_LFGamePad)
        return;
    SDL_JoystickClose(_LFGamePad);
    _LFGamePad = NULL;
}

int LFGamePadButton(int button)
{
    return LFGamePadButton(button, 0);
}

int LFGamePadButton(int button, int once)
{
    return _LFGamePadButton(button, once, 0);
}

int LFGamePadButtonWithDelayedRepeat(int button)
{
    return _LFGamePadButton(button, -1, -1);
}

int LFGamePadPressedButton()
{
    for (int button = 0; button < _LFGamePadButtonCount; button++) {
        if (LFGamePadButton(button))
            return button;
    }
    return -1;
}

int LFGamePadHat(int direction)
{
    return direction & _LFGamePadHatPosition;
}

int LFGamePadAxis(int axis)
{
    return _LFAxisValue(axis);
}

int LFGamePadAxisLeft(int stick)
{
    return _LFAxisBelow(stick ? _LFGamePadAxisRightX : _LFGamePadAxisLeftX);
}

int LFGamePadAxisRight(int stick)
{
    return _LFAxisAbove(stick ? _LFGamePadAxisRightX : _LFGamePadAxisLeftX);
}

int LFGamePadAxisUp(int stick)
{
    return _LFAxisBelow(stick ? _LFGamePadAxisRightY : _LFGamePadAxisLeftY);
}

int LFGamePadAxisDown(int stick)
{
    return _LFAxisAbove(stick ? _LFGamePadAxisRightY : _LFGamePadAxisLeftY);
}

int LFGamePadLeftTrigger()
{
    return _LFAxisAbove(_LFGamePadAxisLeftTrigger);
}

int LFGamePadRightTrigger()
{
    return _LFAxisAbove(_LFGamePadAxisRightTrigger);
}

const char* LFGamePadButtonToString(int button)
{
    return _LFIsButton(button) ? _LFGamePadButtonNames[button] : "Unknown";
}

void _LFSetAxis(int axis, int value)
{
    if (axis >= 0 && axis < _LFGamePadAxisCount)
        _LFGamePadAxes[axis] = value;
}

void _LFSetHat(int value)
{
    _LFGamePadHatPosition = value;
}

void _LFSetGamePadButton(int button)
{
    if (_LFIsButton(button))
        _LFGamePadButtons[button] = -1;
}

// Note: the down time stays; the next latching query sets it afresh.
void _LFUnsetGamePadButton(int button)
{
    if (!_LFIsButton(button))
        return;
    _LFGamePadButtons[button] = 0;
    _LFGamePadButtonsDown[button] = 0;
}
