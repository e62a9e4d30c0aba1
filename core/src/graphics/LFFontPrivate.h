// What the text boxes share with print: formatting into well-formed UTF-8,
// the colour markup's stretches, and drawing a stretch of text.
#ifndef LFFONTPRIVATE_H
#define LFFONTPRIVATE_H

#include <stdarg.h>  // va_list

#include <functional>
#include <string>

#include "LFFont.h"
#include "string/LFStringPrivate.h"

class FTFont;

// Bytes of the character that the byte c begins: 1 to 4, or 0 for a byte
// that begins none (a continuation byte, or one never used in UTF-8).
int _LFLeadLength(unsigned char c);

// Formats printf-style into buffer (cut at 1023 bytes on a character
// boundary) and returns the text well-formed: buffer itself, or its repaired
// copy held by repaired; empty when memory runs out.
char* _LFFormatText(char buffer[_LFFormatBufferSize], std::string& repaired, const char* format, va_list args);

// Calls stretch(start, end, color) for each stretch of the well-formed text
// scan in order: plain text in color, an escape's text in its own.
void _LFEachColorStretch(char* scan, LFColor color, const std::function<void(char*, char*, LFColor)>& stretch);

// Draws the text from start up to end in color at the pen and moves the pen
// past it. A null font draws nothing.
void _LFRenderStretch(FTFont* font, LFColor color, char* start, char* end);

#endif
