// Mouse state: pointer position from the pump; buttons and wheel to come.
#include "LFMouse.h"

int LFMouseX = 0;
int LFMouseY = 0;
LFPoint LFMousePoint = {0, 0};
int LFMouseXRelative = 0;
int LFMouseYRelative = 0;
LFPoint LFMousePointRelative = {0, 0};

int _LFMouseButtonWheelUp = 0;
int _LFMouseButtonWheelDown = 0;
int _LFMouseButtonWheelLeft = 0;
int _LFMouseButtonWheelRight = 0;

void _LFSetMouse(SDL_MouseButtonEvent)
{
}

void _LFSetMouseWheel(SDL_MouseWheelEvent)
{
}
