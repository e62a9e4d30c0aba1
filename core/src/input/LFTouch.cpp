// Polled touch state: the event pump writes whether a finger is down and
// where the last finger event was; callers read them between ticks.
#include "input/LFTouchPrivate.h"

// Finger position and flag, written by the event pump.
int LFTouchX = 0;
int LFTouchY = 0;
LFPoint LFTouchPoint = {0, 0};
int _LFTouching = 0;

int LFFingerDown()
{
    return _LFTouching;
}

void _LFSetTouching(int touching)
{
    _LFTouching = touching;
}
