// Game-pad state. The pad is never opened yet, so the setters keep nothing.
#include "LFGamePad.h"

SDL_Joystick* _LFGamePad = NULL;

void _LFSetAxis(int, int)
{
}

void _LFSetHat(int)
{
}

void _LFSetGamePadButton(int)
{
}

void _LFUnsetGamePadButton(int)
{
}
