// Colour values.
#include "LFColor.h"

const LFColor LFRedColor = {1, 0, 0, 1};
const LFColor LFGreenColor = {0, 1, 0, 1};
const LFColor LFBlueColor = {0, 0, 1, 1};

LFColor LFMakeColor(float r, float g, float b, float a)
{
    LFColor color = {r, g, b, a};
    return color;
}
