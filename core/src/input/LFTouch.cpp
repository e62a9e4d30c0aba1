// Touch state: the finger position from the pump; the finger flag to come.
#include "LFTouch.h"

int LFTouchX = 0;
int LFTouchY = 0;
LFPoint LFTouchPoint = {0, 0};

void _LFSetTouching(int)
{
}
