// The library's own side of the application state: the quit flag the pump
// sets, the error text every module writes, endianness, and which render
// context and window are current.
#ifndef LFAPPLICATIONPRIVATE_H
#define LFAPPLICATIONPRIVATE_H

#include <SDL.h>  // Uint64

#include "LFApplication.h"

extern int _LFAppQuitRequested;
// -1 on a little-endian machine, 0 on a big-endian one.
extern int _LFEndianness;
// The error buffer; null before LFInit and after LFDeInit.
enum { _LFErrorSize = 512 };
extern char* _LFError;

// The selected drawing target, and the window whose OpenGL context is in use
// (only ever compared, never dereferenced).
extern LFRenderContext* _LFCurrentRenderContext;
extern void* _LFCurrentWindowRenderContext;
// The serial number of that window (see LFWindowPrivate.h): a new window may
// get a deleted one's address, never its number. What the caches made under
// one window is handed out again only while both this and the address match.
// 0 until a window is selected; a number of no window once the window
// selected last is deleted.
extern Uint64 _LFCurrentWindowSerial;

// Formats the error text, cut at 511 characters. No-op without a buffer.
// Note: format is a format; pass other text through "%s".
void _LFSetError(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

#endif
