// The global font's state and the helpers its functions share.
#ifndef LFUIGLOBALFONTPRIVATE_H
#define LFUIGLOBALFONTPRIVATE_H

#include "LFUIGlobalFont.h"

// The global font's state, set by LFUISetGlobalFont. The path is an
// own copy (null until set; LFDeInit frees it); the offset is registered for
// every size fetched; the font is the one at size, borrowed from the font
// cache.
// Note: after the cache is cleared _LFUIGlobalFont points to a deleted font,
// and after its window is deleted to one without glyphs, until the next
// function without a size fetches it again; read it through those functions.
extern LFFont* _LFUIGlobalFont;
extern char* _LFUIGlobalFontPath;
extern LFAliasMode _LFUIGlobalFontMode;
extern int _LFUIGlobalFontSize;
extern LFPoint _LFUIGlobalFontOffset;

// The global font at size from the font cache, with the global
// offset stored for size; null when no path is set or the font cannot be made.
LFFont* _LFUIGlobalFontWithSize(int size);

// How the measures round: up to the next whole pixel.
int _LFUIRoundUp(float value);
LFSize _LFUIRoundUp(LFSize size);

#endif
