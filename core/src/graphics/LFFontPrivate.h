// What the text boxes share with print: formatting into well-formed UTF-8,
// the colour markup's escapes, and drawing a stretch of text.
#ifndef LFFONTPRIVATE_H
#define LFFONTPRIVATE_H

#include <stdarg.h>  // va_list
#include <string.h>  // strlen

#include <string>

#include "LFFont.h"
#include "string/LFStringPrivate.h"

class FTFont;

// Length of "{EC}", which ends a coloured stretch.
static const int _LFEscapeEndLength = 4;

// One colour escape, as pointers into the scanned text.
struct _LFColorEscape {
    char* start;     // the "{C"
    char* comma[3];  // the commas between the four numbers
    char* brace;     // the "}" after the last number
    char* end;       // the "{EC}"
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
int _LFFindColorEscape(char* scan, _LFColorEscape* escape);
// The colour an escape gives its text.
LFColor _LFEscapeColor(const _LFColorEscape& escape);

// Calls stretch(start, end, color) for each stretch of the well-formed text
// scan in order: plain text in color, an escape's text in its own.
template <typename Stretch>
void _LFEachColorStretch(char* scan, LFColor color, Stretch stretch)
{
    _LFColorEscape escape;
    while (_LFFindColorEscape(scan, &escape)) {
        stretch(scan, escape.start, color);
        stretch(escape.brace + 1, escape.end, _LFEscapeColor(escape));
        scan = escape.end + _LFEscapeEndLength;
    }
    stretch(scan, scan + strlen(scan), color);
}

// Draws the text from start up to end in color at the pen and moves the pen
// past it. A null font draws nothing.
void _LFRenderStretch(FTFont* font, LFColor color, char* start, char* end);

#endif
