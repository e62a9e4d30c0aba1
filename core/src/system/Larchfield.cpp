// Larchfield's core file: the application state every module reaches (quit
// request, error text, executable name and path, endianness, UI colours).
#include <stdarg.h>  // va_list
#include <stdio.h>   // vsnprintf

#include "system/LFApplicationPrivate.h"

// Application state, written by LFInit, the event pump and the application.
int _LFAppQuitRequested = 0;
char* LFApplicationName = NULL;
char* LFExecutablePath = NULL;
int _LFEndianness = -1;
char* _LFError = NULL;

// Render-context bookkeeping, written by the windows' and textures' setRenderContext.
LFRenderContext* _LFCurrentRenderContext = NULL;
void* _LFCurrentWindowRenderContext = NULL;
Uint64 _LFCurrentWindowSerial = 0;

// User-interface colours, replaced only by LFSetUIColor.
LFColor _LFUIBorderColor = {0, 0, 0, 1};
LFColor _LFUIBackroundColor = {0.5f, 0.5f, 0.5f, 1};
LFColor _LFUIBackgroundColor_Interaction = {0.25f, 0.25f, 0.25f, 1};
LFColor _LFUISelectionColor = {0.25f, 0.25f, 1, 1};
LFColor _LFUIFocusColor = {0.75f, 0, 0.75f, 1};
LFColor _LFUITextColor = {1, 1, 1, 1};

void LFApplicationRequestQuit()
{
    _LFAppQuitRequested = -1;
}

void LFApplicationCancelQuitRequest()
{
    _LFAppQuitRequested = 0;
}

int LFApplicationQuitRequested()
{
    return _LFAppQuitRequested;
}

char* LFError()
{
    return _LFError;
}

void _LFSetError(const char* format, ...)
{
    if (!_LFError)
        return;
    va_list args;
    va_start(args, format);
    vsnprintf(_LFError, _LFErrorSize, format, args);
    va_end(args);
}

void LFSetUIColor(LFColor borderColor, LFColor backgroundColor, LFColor backgroundColor_Interaction,
                  LFColor selectionColor, LFColor focusColor, LFColor textColor)
{
    _LFUIBorderColor = borderColor;
    _LFUIBackroundColor = backgroundColor;
    _LFUIBackgroundColor_Interaction = backgroundColor_Interaction;
    _LFUISelectionColor = selectionColor;
    _LFUIFocusColor = focusColor;
    _LFUITextColor = textColor;
}

LFRenderContext* LFCurrentRenderContext()
{
    return _LFCurrentRenderContext;
}
