// Application-wide state: the quit request, the last error text, the
// executable's name and directory and the UI colours.
#ifndef LFAPPLICATION_H
#define LFAPPLICATION_H

#include "LFColor.h"

class LFRenderContext;

// Heap copies set by LFInit(char*); null until then.
extern char* LFApplicationName;
extern char* LFExecutablePath;

// The user-interface colours, replaced by LFSetUIColor.
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

void LFSetUIColor(LFColor borderColor, LFColor backgroundColor, LFColor backgroundColor_Interaction,
                  LFColor selectionColor, LFColor focusColor, LFColor textColor);

// Empties the global font cache / counts its fonts.
void LFClearGUIFontCache();
int LFGUIFontCacheSize();

// The selected drawing target, or null.
LFRenderContext* LFCurrentRenderContext();

#endif
