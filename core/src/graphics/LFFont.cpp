// Fonts over FTGL: a face at one size, its rendering offsets and metrics, and
// text printed and measured with the "{Cr,g,b,a}text{EC}" colour markup.
#include <math.h>    // ceilf
#include <stdarg.h>  // va_list
#include <stdlib.h>  // abs, atof
#include <string.h>  // strstr, strchr

#include <new>  // std::bad_alloc

#include <GL/gl.h>
#include <FTGL/ftgl.h>

#include "LFApplication.h"
#include "LFFont.h"
#include "LFString.h"

// Sizes are requested at 72 dpi, so one point of size is one pixel.
static const unsigned int _LFFontResolution = 72;
// Length of "{EC}", which ends a coloured stretch.
static const int _LFEscapeEndLength = 4;

// Note: FTGL keeps no glyphs after it refuses a size, and drawing or measuring
// without glyphs crashes inside FTGL. A refused change is undone at once (see
// setSize); a face whose first size was refused has none, which _hasGlyphs
// records, so everything that touches glyphs checks it first. Size 0 is a
// size like any other: FreeType draws it as 1 pixel.

// One colour escape, as pointers into the scanned text.
struct _LFColorEscape {
    char* start;     // the "{C"
    char* comma[3];  // the commas between the four numbers
    char* brace;     // the "}" after the last number
    char* end;       // the "{EC}"
};

// Finds the next escape at or after scan; 0 when there is none or the next
// "{C" does not start a well-formed one, so the rest of the text is plain.
// The brace is the first "}" after the "{C" (a "}" in the plain text before
// it is ignored) and must lie between the third comma and the "{EC}": so
// every pointer stays inside the text and every stretch is of length >= 0.
static int _LFFindColorEscape(char* scan, _LFColorEscape* escape)
{
    escape->start = strstr(scan, "{C");
    if (!escape->start)
        return 0;
    char* from = escape->start;
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

// One colour component: the text between two delimiters, read with atof.
// The text is print's own buffer: the end is cut with a NUL for the call
// and restored, so nothing is copied and atof cannot read past the field.
static float _LFReadComponent(char* start, char* end)
{
    char saved = *end;
    *end = '\0';
    float value = (float)atof(start);
    *end = saved;
    return value;
}

// Draws the text from start up to end in color at the pen and moves the pen
// past it; cut in place like _LFReadComponent. A null font draws nothing.
static void _LFRenderStretch(FTFont* font, LFColor color, char* start, char* end)
{
    glColor4f(color.r, color.g, color.b, color.a);
    if (!font)
        return;
    char saved = *end;
    *end = '\0';
    FTPoint pen = font->Render(start, -1, FTPoint(), FTPoint(), FTGL::RENDER_ALL);
    *end = saved;
    glTranslatef(pen.Xf(), 0, 0);
}

// Appends the text from start up to end to a temporary string; null when
// memory runs out.
static char* _LFAppendStretch(char* text, char* start, char* end)
{
    return LFTempString("%s%.*s", text, (int)(end - start), start);
}

// str with every escape replaced by its coloured text, as a temporary string
// cut at 1023 characters; str itself when memory runs out.
static char* _LFStripColorEscapes(char* str)
{
    char* stripped = LFTempString("%s", "");
    char* scan = str;
    _LFColorEscape escape;
    while (stripped && _LFFindColorEscape(scan, &escape)) {
        stripped = _LFAppendStretch(stripped, scan, escape.start);
        if (stripped)
            stripped = _LFAppendStretch(stripped, escape.brace + 1, escape.end);
        scan = escape.end + _LFEscapeEndLength;
    }
    if (stripped)
        stripped = _LFAppendStretch(stripped, scan, scan + strlen(scan));
    return stripped ? stripped : str;
}

LFFont::LFFont()
{
    throw std::bad_alloc();
}

LFFont::LFFont(char* path, int aliasMode)
{
    _font = NULL;
    _offsetCache = NULL;
    _size = 0;
    _aliasMode = (aliasMode == LFAliased) ? LFAliased : LFAntiAliased;
    _hasGlyphs = 0;
    if (!path)
        throw std::bad_alloc();

    if (_aliasMode == LFAliased)
        _font = new FTPolygonFont(path);
    else
        _font = new FTTextureFont(path);
    // FTGL crashes when asked to size a face it could not open.
    if (_font->Error()) {
        _LFSetError("Unable to open font file %s", path);
        delete _font;
        throw std::bad_alloc();
    }
    try {
        _offsetCache = new _LFFontOffsetMap();
    } catch (const std::bad_alloc&) {
        delete _font;
        throw;
    }
    setSize(10);
}

LFFont::~LFFont()
{
    delete _font;
    delete _offsetCache;
}

int LFFont::setSize(int s)
{
    if (s == _size)
        return -1;
    if (_font->FaceSize((unsigned int)s, _LFFontResolution)) {
        _size = s;
        _hasGlyphs = -1;
        return -1;
    }
    char* message = LFTempString("Unable to set font face size");
    if (message)
        _LFSetError("%s", message);

    // FTGL dropped its glyphs; apply the previous size again. It answers a
    // repeat of its last successful request with the refusal it has just
    // made, so the size is first requested at resolution 0, which FreeType
    // reads as 72 dpi, then at 72 as usual.
    if (_hasGlyphs && !(_font->FaceSize((unsigned int)_size, 0) &&
                        _font->FaceSize((unsigned int)_size, _LFFontResolution))) {
        _size = 0;
        _hasGlyphs = 0;
    }
    return 0;
}

int LFFont::getSize()
{
    return _size;
}

void LFFont::setRenderingOffsetForSize(int size, LFPoint offset)
{
    (*_offsetCache)[(float)size] = offset;
}

LFPoint LFFont::renderingOffsetForSize(int size)
{
    _LFFontOffsetMap::iterator entry = _offsetCache->find((float)size);
    return (entry != _offsetCache->end()) ? entry->second : LFZeroPoint;
}

float LFFont::lineHeight()
{
    return _font->LineHeight();
}

float LFFont::ascender()
{
    return _font->Ascender();
}

float LFFont::descender()
{
    return _font->Descender();
}

float LFFont::fullHeight()
{
    return ascender() + (float)abs((int)descender());
}

float LFFont::advance(char* string)
{
    if (!string || !_hasGlyphs)
        return 0;
    return _font->Advance(string, -1, FTPoint());
}

void LFFont::print(LFPoint pos, LFColor baseColor, char* text, ...)
{
    if (!text)
        return;
    char buffer[_LFFormatBufferSize];
    va_list args;
    va_start(args, text);
    _LFFormatV(buffer, text, args);
    va_end(args);

    glPushMatrix();
    if (_aliasMode == LFAliased)
        glDisable(GL_TEXTURE_2D);
    // FTGL's y runs up from the baseline: turn the frame upside down.
    glRotatef(180, 1, 0, 0);
    glTranslatef(pos.x, -pos.y + ceilf(-ascender()) + ceilf(-descender()), 0);
    _LFFontOffsetMap::iterator offset = _offsetCache->find((float)_size);
    if (offset != _offsetCache->end())
        glTranslatef(offset->second.x, -offset->second.y, 0);

    FTFont* font = _hasGlyphs ? _font : NULL;
    char* scan = buffer;
    _LFColorEscape escape;
    while (_LFFindColorEscape(scan, &escape)) {
        _LFRenderStretch(font, baseColor, scan, escape.start);
        LFColor color = {
            _LFReadComponent(escape.start + 2, escape.comma[0]),
            _LFReadComponent(escape.comma[0] + 1, escape.comma[1]),
            _LFReadComponent(escape.comma[1] + 1, escape.comma[2]),
            _LFReadComponent(escape.comma[2] + 1, escape.brace),
        };
        _LFRenderStretch(font, color, escape.brace + 1, escape.end);
        scan = escape.end + _LFEscapeEndLength;
    }
    _LFRenderStretch(font, baseColor, scan, scan + strlen(scan));

    if (_aliasMode == LFAliased)
        glEnable(GL_TEXTURE_2D);
    glPopMatrix();
}

LFSize LFFont::stringBounds(char* str, int includeEscapeSequences)
{
    if (!str || !_hasGlyphs)
        return LFZeroSize;
    char* measured = includeEscapeSequences ? str : _LFStripColorEscapes(str);
    FTBBox box = _font->BBox(measured, -1, FTPoint(), FTPoint());
    return LFMakeSize(box.Upper().Xf() - box.Lower().Xf(), box.Upper().Yf() - box.Lower().Yf());
}

LFSize LFFont::stringBounds(char* str)
{
    return stringBounds(str, 0);
}
