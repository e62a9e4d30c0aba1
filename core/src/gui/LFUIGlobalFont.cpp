// The global user-interface font.
#include "LFUIGlobalFont.h"

#include <stddef.h>  // NULL

char* _LFUIGlobalFontPath = NULL;
