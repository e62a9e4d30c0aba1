// Polled touch state: the event pump writes whether a finger is down and
// where the last finger event was; callers read them between ticks.
#include "input/LFTouchPrivate.h"
#include "math/LFMathUtilitiesPrivate.h"  // _LFTruncate

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

// NaN and positions beyond the int range are pinned, not converted.
void _LFSetTouchPosition(float x, float y, LFSize windowSize)
{
    LFTouchX = _LFTruncate(x * windowSize.width);
    LFTouchY = _LFTruncate(y * windowSize.height);
    LFTouchPoint = LFMakePoint((float)LFTouchX, (float)LFTouchY);
}
