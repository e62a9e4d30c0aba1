// Application-wide state: the quit request, the last error text, the
// executable's name and directory, endianness and the UI colours.
#ifndef LFAPPLICATION_H
#define LFAPPLICATION_H

#include <SDL.h>

#include "LFColor.h"

class LFRenderContext;

extern int _LFAppQuitRequested;
extern SDL_Event _LFMainEvent;
// Heap copies set by LFInit(char*); null until then.
extern char* LFApplicationName;
extern char* LFExecutablePath;
// -1 on a little-endian machine, 0 on a big-endian one.
extern int _LFEndianness;
// The error buffer; null before LFInit and after LFDeInit.
enum { _LFErrorSize = 512 };
extern char* _LFError;

// The selected drawing target, and the window whose OpenGL context is in use
// (only ever compared, never dereferenced).
extern LFRenderContext* _LFCurrentRenderContext;
extern void* _LFCurrentWindowRenderContext;
// The serial number of that window (LFWindow::_serialNumber): a new window may
// get a deleted one's address, never its number. What the caches made under
// one window is handed out again only while both this and the address match.
// 0 until a window is selected; a number of no window once the window
// selected last is deleted.
extern Uint64 _LFCurrentWindowSerial;

extern LFColor _LFUIBorderColor;
extern LFColor _LFUIBackroundColor;
extern LFColor _LFUIBackgroundColor_Interaction;
extern LFColor _LFUISelectionColor;
extern LFColor _LFUIFocusColor;
extern LFColor _LFUITextColor;

void LFApplicationRequestQuit();
void LFApplicationCancelQuitRequest();
// -1 once a quit was requested by the application or the window system.
int LFApplicationQuitRequested();

// The last error text (empty until the first error); null outside LFInit..LFDeInit.
char* LFError();
// Internal: formats the error text, cut at 511 characters. No-op without a buffer.
// Note: format is a format; pass other text through "%s".
void _LFSetError(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

void LFSetUIColor(LFColor borderColor, LFColor backgroundColor, LFColor backgroundColor_Interaction,
                  LFColor selectionColor, LFColor focusColor, LFColor textColor);

// Empties the global font cache / counts its fonts.
void LFClearGUIFontCache();
int LFGUIFontCacheSize();

// The selected drawing target, or null.
LFRenderContext* LFCurrentRenderContext();

#endif
