// Colours: four floats, nominally 0..1; nothing clamps them.
#ifndef LFCOLOR_H
#define LFCOLOR_H

struct LFColor {
    float r;
    float g;
    float b;
    float a;
};

LFColor LFMakeColor(float r, float g, float b, float a);

extern const LFColor LFRedColor;
extern const LFColor LFGreenColor;
extern const LFColor LFBlueColor;

#endif
