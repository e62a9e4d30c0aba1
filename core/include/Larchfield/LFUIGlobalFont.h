// One global font for user-interface text, at any size.
#ifndef LFUIGLOBALFONT_H
#define LFUIGLOBALFONT_H

// Own copy of the global font's path, or null.
extern char* _LFUIGlobalFontPath;

#endif
