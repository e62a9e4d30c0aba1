// What the text boxes share with print: formatting into well-formed UTF-8,
// the colour markup's escapes, and drawing a stretch of text.
#ifndef LFFONTPRIVATE_H
#define LFFONTPRIVATE_H

#include <stdarg.h>  // va_list
#include <string.h>  // strchr, strlen, strstr

#include <functional>
#include <string>

#include "LFFont.h"
#include "string/LFStringPrivate.h"

class FTFont;

// Length of "{EC}", which ends a coloured stretch.
static const int _LFEscapeEndLength = 4;

// One colour escape, as pointers into the scanned text: writable (Char is
// char) where print cuts the text in place, read-only for measuring.
template <typename Char>
struct _LFColorEscape {
    Char* start;     // the "{C"
    Char* comma[3];  // the commas between the four numbers
    Char* brace;     // the "}" after the last number
    Char* end;       // the "{EC}"
};

// Bytes of the character that the byte c begins: 1 to 4, or 0 for a byte
// that begins none (a continuation byte, or one never used in UTF-8).
int _LFLeadLength(unsigned char c);

// Formats printf-style into buffer (cut at 1023 bytes on a character
// boundary) and returns the text well-formed: buffer itself, or its repaired
// copy held by repaired; empty when memory runs out.
char* _LFFormatText(char buffer[_LFFormatBufferSize], std::string& repaired, const char* format, va_list args);

// Finds the next escape at or after scan; 0 when there is none or the next
// "{C" does not start a well-formed one, so the rest of the text is plain.
// The brace is the first "}" after the "{C" (a "}" in the plain text before
// it is ignored) and must lie between the third comma and the "{EC}": so
// every pointer stays inside the text and every stretch is of length >= 0.
template <typename Char>
int _LFFindColorEscape(Char* scan, _LFColorEscape<Char>* escape)
{
    escape->start = strstr(scan, "{C");
    if (!escape->start)
        return 0;
    Char* from = escape->start;
    for (int i = 0; i < 3; i++) {
        escape->comma[i] = strchr(from, ',');
        if (!escape->comma[i])
            return 0;
        from = escape->comma[i] + 1;
    }
    escape->end = strstr(from, "{EC}");
    if (!escape->end)
        return 0;
    // Always found: the "{EC}" holds one.
    escape->brace = strchr(escape->start, '}');
    return escape->brace > escape->comma[2] && escape->brace < escape->end;
}

// Calls stretch(start, end, color) for each stretch of the well-formed text
// scan in order: plain text in color, an escape's text in its own.
void _LFEachColorStretch(char* scan, LFColor color, const std::function<void(char*, char*, LFColor)>& stretch);

// Draws the text from start up to end in color at the pen and moves the pen
// past it. A null font draws nothing.
void _LFRenderStretch(FTFont* font, LFColor color, char* start, char* end);

#endif
