// The touch flag and the setters the event pump feeds it through.
#ifndef LFTOUCHPRIVATE_H
#define LFTOUCHPRIVATE_H

#include "LFTouch.h"

// -1 while a finger is down, else 0.
extern int _LFTouching;

// The event pump's entry point.
void _LFSetTouching(int touching);

#endif
