// Fonts over FTGL: a face at one size, its rendering offsets and metrics, and
// text printed and measured with the "{Cr,g,b,a}text{EC}" colour markup.
#include <math.h>    // ceilf
#include <stdarg.h>  // va_list
#include <stdlib.h>  // abs, atof
#include <string.h>  // strstr, strchr

#include <new>  // std::bad_alloc
#include <string>

#include <GL/gl.h>
#include <FTGL/ftgl.h>

#include "LFBatch.h"
#include "LFFont.h"
#include "LFLoadError.h"
#include "graphics/LFFontPrivate.h"
#include "string/LFStringPrivate.h"
#include "system/LFApplicationPrivate.h"

// Rendering offsets by size; the key is the whole size converted to float.
typedef std::map<float, LFPoint> _LFFontOffsetMap;

// Sizes are requested at 72 dpi, so one point of size is one pixel.
static const unsigned int _LFFontResolution = 72;
// The largest size FreeType keeps unchanged on every system (see setSize).
static const int _LFLargestFaceSize = 0xFFFF;

// Note: FTGL keeps no glyphs after it refuses a size, and drawing or measuring
// without glyphs crashes inside FTGL. A refused change is undone at once (see
// setSize); a face whose first size was refused has none, which _hasGlyphs
// records, so everything that touches glyphs checks it first. Size 0 is a
// size like any other: FreeType draws it as 1 pixel.

// --- UTF-8
// FTGL decodes text as UTF-8 without checking it, and crashes or reads past
// the end on an ill-formed sequence. So text is checked before it reaches
// FTGL: well-formed text goes as it is; any other is first repaired as
// Unicode recommends, each maximal ill-formed part becoming one U+FFFD.

static const char _LFReplacementCharacter[] = "\xEF\xBF\xBD";

int _LFLeadLength(unsigned char c)
{
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        return 2;
    if (c >= 0xE0 && c <= 0xEF)
        return 3;
    if (c >= 0xF0 && c <= 0xF4)
        return 4;
    return 0;
}

// Length of the well-formed character at s, or 0 when s begins an
// ill-formed sequence; *part is then the length of that sequence's longest
// beginning that could still have been well-formed, at least 1. A NUL is
// never a continuation byte, so nothing past the end is read.
static int _LFCharacterLength(const unsigned char* s, int* part)
{
    int length = _LFLeadLength(s[0]);
    // The second byte's range excludes overlong forms, surrogates and code
    // points above U+10FFFF.
    unsigned char low = (s[0] == 0xE0) ? 0xA0 : (s[0] == 0xF0) ? 0x90 : 0x80;
    unsigned char high = (s[0] == 0xED) ? 0x9F : (s[0] == 0xF4) ? 0x8F : 0xBF;
    *part = 1;
    for (int i = 1; i < length; i++) {
        if (s[i] < low || s[i] > high)
            return 0;
        *part = i + 1;
        low = 0x80;
        high = 0xBF;
    }
    return length;
}

// text itself when it is well-formed UTF-8; otherwise its repaired copy,
// held by repaired, or null when memory runs out. Writable when text is.
template <typename Char>
static Char* _LFWellFormed(Char* text, std::string& repaired)
{
    const unsigned char* s = (const unsigned char*)text;
    int part = 0;
    int length;
    while (*s && (length = _LFCharacterLength(s, &part)))
        s += length;
    if (!*s)
        return text;
    try {
        repaired.assign(text, (const char*)s - text);
        while (*s) {
            length = _LFCharacterLength(s, &part);
            if (length)
                repaired.append((const char*)s, length);
            else
                repaired.append(_LFReplacementCharacter);
            s += length ? length : part;
        }
    } catch (const std::bad_alloc&) {
        return NULL;
    }
    return &repaired[0];
}

// Drops the last character of a text that was cut at its end when the cut
// split it: the beginning of a well-formed character with bytes missing.
static void _LFDropSplitCharacter(char* text)
{
    int end = (int)strlen(text);
    int start = end;
    while (start > 0 && end - start < 3 && ((unsigned char)text[start - 1] & 0xC0) == 0x80)
        start--;
    if (start == 0)
        return;
    start--;
    int part = 0;
    if (_LFLeadLength((unsigned char)text[start]) > end - start &&
        !_LFCharacterLength((const unsigned char*)text + start, &part) && part == end - start)
        text[start] = '\0';
}

char* _LFFormatText(char buffer[_LFFormatBufferSize], std::string& repaired, const char* format, va_list args)
{
    if (_LFFormatV(buffer, format, args))
        _LFDropSplitCharacter(buffer);
    char* text = _LFWellFormed(buffer, repaired);
    if (!text) {
        buffer[0] = '\0';
        text = buffer;
    }
    return text;
}

// --- Colour markup

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

// Finds the next escape at or after scan; 0 when there is none or the next
// "{C" does not start a well-formed one, so the rest of the text is plain.
// The brace is the first "}" after the "{C" (a "}" in the plain text before
// it is ignored) and must lie between the third comma and the "{EC}": so
// every pointer stays inside the text and every stretch is of length >= 0.
template <typename Char>
static int _LFFindColorEscape(Char* scan, _LFColorEscape<Char>* escape)
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

// The colour an escape gives its text.
static LFColor _LFEscapeColor(const _LFColorEscape<char>& escape)
{
    LFColor color = {
        _LFReadComponent(escape.start + 2, escape.comma[0]),
        _LFReadComponent(escape.comma[0] + 1, escape.comma[1]),
        _LFReadComponent(escape.comma[1] + 1, escape.comma[2]),
        _LFReadComponent(escape.comma[2] + 1, escape.brace),
    };
    return color;
}

void _LFEachColorStretch(char* scan, LFColor color, const std::function<void(char*, char*, LFColor)>& stretch)
{
    _LFColorEscape<char> escape;
    while (_LFFindColorEscape(scan, &escape)) {
        stretch(scan, escape.start, color);
        stretch(escape.brace + 1, escape.end, _LFEscapeColor(escape));
        scan = escape.end + _LFEscapeEndLength;
    }
    stretch(scan, scan + strlen(scan), color);
}

// Cut in place like _LFReadComponent.
void _LFRenderStretch(FTFont* font, LFColor color, char* start, char* end)
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

// Appends the text from start up to end to the stripped text of length
// *length in buffer, as far as it fits in _LFFormatBufferSize - 1 bytes; a
// character that does not fit whole is left out with all that follows. 0
// once the text is cut there, so the caller stops.
static int _LFAppendStretch(char* buffer, int* length, const char* start, const char* end)
{
    int count = (int)(end - start);
    int room = _LFFormatBufferSize - 1 - *length;
    int cut = count > room;
    if (cut) {
        // The text is well-formed: back up to the first byte of the
        // character that the cut would split.
        count = room;
        while (count > 0 && ((unsigned char)start[count] & 0xC0) == 0x80)
            count--;
    }
    memcpy(buffer + *length, start, count);
    *length += count;
    buffer[*length] = '\0';
    return !cut;
}

// The well-formed str with every escape replaced by its coloured text, cut
// at 1023 bytes on a character boundary, written into buffer.
static void _LFStripColorEscapes(const char* str, char buffer[_LFFormatBufferSize])
{
    int length = 0;
    buffer[0] = '\0';
    const char* scan = str;
    _LFColorEscape<const char> escape;
    while (_LFFindColorEscape(scan, &escape)) {
        if (!_LFAppendStretch(buffer, &length, scan, escape.start) ||
            !_LFAppendStretch(buffer, &length, escape.brace + 1, escape.end))
            return;
        scan = escape.end + _LFEscapeEndLength;
    }
    _LFAppendStretch(buffer, &length, scan, scan + strlen(scan));
}

// Whether FTGL can draw the face at the size it has just accepted. FTGL
// accepts sizes it cannot draw, and its own error state reports only some:
// a face without metrics (a damaged head table) draws nothing, and textured
// glyphs taller than the largest texture fail inside OpenGL.
static int _LFDrawableSize(FTFont* font, int aliasMode)
{
    float height = font->Ascender() - font->Descender();
    float lineHeight = font->LineHeight();
    if (font->Error() || !(height > 0 || lineHeight > 0))
        return 0;
    if (aliasMode != LFAntiAliased)
        return 1;
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    return largest <= 0 || (height <= largest && lineHeight <= largest);
}

LFFont::LFFont()
{
    throw std::bad_alloc();
}

LFFont::LFFont(const char* path, int aliasMode)
{
    _font = NULL;
    _offsetCache = NULL;
    _size = 0;
    _aliasMode = (aliasMode == LFAliased) ? LFAliased : LFAntiAliased;
    _hasGlyphs = 0;
    if (!path) {
        _LFSetError("No font file path given");
        throw LFLoadError(LFError());
    }
    LFFlushBatch();  // FTGL makes textures and display lists as it goes

    if (_aliasMode == LFAliased)
        _font = new FTPolygonFont(path);
    else
        _font = new FTTextureFont(path);
    // FTGL crashes when asked to size a face it could not open.
    if (_font->Error()) {
        _LFSetError("Unable to open font file %s", path);
        delete _font;
        throw LFLoadError(LFError());
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
    LFFlushBatch();
    delete _font;
    delete _offsetCache;
}

int LFFont::setSize(int s)
{
    if (s == _size)
        return -1;
    // FTGL hands FreeType the size times 64 in an unsigned int, which wraps
    // for negative sizes and from 2^26 on (INT_MIN would become size 0, and
    // 2^26 + 16 size 16). FreeType keeps a size in pixels in 16 bits, and
    // works it out in a C long, which has 32 bits on 64-bit Windows, where a
    // size far past 16 bits comes out as another (2^25 - 1 is taken there,
    // and refused on Linux). Sizes past 16 bits are refused without asking
    // FTGL, alike everywhere.
    if (s >= 0 && s <= _LFLargestFaceSize) {
        LFFlushBatch();
        if (_font->FaceSize((unsigned int)s, _LFFontResolution) && _LFDrawableSize(_font, _aliasMode)) {
            _size = s;
            _hasGlyphs = -1;
            return -1;
        }
        // FTGL dropped its glyphs; apply the previous size again. It answers a
        // repeat of its last successful request with the refusal it has just
        // made, so the size is first requested at resolution 0, which FreeType
        // reads as 72 dpi, then at 72 as usual.
        if (_hasGlyphs && !(_font->FaceSize((unsigned int)_size, 0) &&
                            _font->FaceSize((unsigned int)_size, _LFFontResolution))) {
            _size = 0;
            _hasGlyphs = 0;
        }
    }
    char* message = LFTempString("Unable to set font face size");
    if (message)
        _LFSetError("%s", message);
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

float LFFont::advance(const char* string)
{
    if (!string || !_hasGlyphs)
        return 0;
    LFFlushBatch();
    std::string repaired;
    const char* measured = _LFWellFormed(string, repaired);
    return measured ? _font->Advance(measured, -1, FTPoint()) : 0;
}

void LFFont::_beginLine(LFPoint pos)
{
    LFFlushBatch();
    glPushMatrix();
    if (_aliasMode == LFAliased)
        glDisable(GL_TEXTURE_2D);
    // FTGL's y runs up from the baseline: turn the frame upside down.
    glRotatef(180, 1, 0, 0);
    glTranslatef(pos.x, -pos.y + ceilf(-ascender()) + ceilf(-descender()), 0);
    _LFFontOffsetMap::iterator offset = _offsetCache->find((float)_size);
    if (offset != _offsetCache->end())
        glTranslatef(offset->second.x, -offset->second.y, 0);
}

void LFFont::_endLine()
{
    if (_aliasMode == LFAliased)
        glEnable(GL_TEXTURE_2D);
    glPopMatrix();
}

void LFFont::print(LFPoint pos, LFColor baseColor, const char* text, ...)
{
    if (!text)
        return;
    char buffer[_LFFormatBufferSize];
    std::string repaired;
    va_list args;
    va_start(args, text);
    char* scan = _LFFormatText(buffer, repaired, text, args);
    va_end(args);

    _beginLine(pos);
    FTFont* font = _hasGlyphs ? _font : NULL;
    _LFEachColorStretch(scan, baseColor,
                        [font](char* start, char* end, LFColor color) { _LFRenderStretch(font, color, start, end); });
    _endLine();
}

LFSize LFFont::stringBounds(const char* str, int includeEscapeSequences)
{
    if (!str || !_hasGlyphs)
        return LFZeroSize;
    std::string repaired;
    const char* measured = _LFWellFormed(str, repaired);
    if (!measured)
        return LFZeroSize;
    char stripped[_LFFormatBufferSize];
    if (!includeEscapeSequences) {
        _LFStripColorEscapes(measured, stripped);
        measured = stripped;
    }
    LFFlushBatch();
    FTBBox box = _font->BBox(measured, -1, FTPoint(), FTPoint());
    return LFMakeSize(box.Upper().Xf() - box.Lower().Xf(), box.Upper().Yf() - box.Lower().Yf());
}

LFSize LFFont::stringBounds(const char* str)
{
    return stringBounds(str, 0);
}
