// Text boxes: LFFont's text wrapped into lines that fit a width, aligned in a
// rectangle, with the colour markup of print carried across the breaks.
#include <math.h>    // floorf
#include <stdarg.h>  // va_list

#include <new>  // std::bad_alloc
#include <string>
#include <vector>

#include <FTGL/ftgl.h>

#include "LFFont.h"
#include "graphics/LFFontPrivate.h"
#include "system/LFApplicationPrivate.h"

// A stretch of the visible text in one colour, up to the next stretch.
struct _LFStretch {
    size_t start;
    LFColor color;
};

// A line: the visible text from start up to end, and its advance.
struct _LFLine {
    size_t start;
    size_t end;
    float width;
};

// A text laid out: its visible characters (the markup taken out) in their
// colours, and the lines they wrap into.
struct _LFTextLayout {
    FTFont* font;  // null for a face without glyphs: everything measures 0
    std::string text;
    std::vector<_LFStretch> stretches;
    std::vector<_LFLine> lines;
};

// The visible text of the well-formed scan, in color where no escape colours it.
static void _LFTakeText(_LFTextLayout& layout, char* scan, LFColor color)
{
    _LFEachColorStretch(scan, color, [&layout](char* start, char* end, LFColor stretchColor) {
        if (start == end)
            return;
        _LFStretch stretch = {layout.text.size(), stretchColor};
        layout.stretches.push_back(stretch);
        layout.text.append(start, end - start);
    });
}

// Calls draw(start, end, color) for each stretch's part of the visible text
// from start up to end, in order.
template <typename Draw>
static void _LFEachStretch(_LFTextLayout& layout, size_t start, size_t end, Draw draw)
{
    for (size_t i = 0; i < layout.stretches.size(); i++) {
        size_t from = layout.stretches[i].start;
        size_t to = i + 1 < layout.stretches.size() ? layout.stretches[i + 1].start : layout.text.size();
        from = from > start ? from : start;
        to = to < end ? to : end;
        if (from < to)
            draw(&layout.text[from], &layout.text[to], layout.stretches[i].color);
    }
}

// The advance of the visible text from start up to end, stretch by stretch
// as it is drawn.
static float _LFAdvance(_LFTextLayout& layout, size_t start, size_t end)
{
    if (!layout.font)
        return 0;
    float advance = 0;
    _LFEachStretch(layout, start, end, [&](char* from, char* to, LFColor) {
        char saved = *to;
        *to = '\0';
        advance += layout.font->Advance(from, -1, FTPoint());
        *to = saved;
    });
    return advance;
}

// The end of the word after the spaces at from, or from when none follows
// before end.
static size_t _LFNextWordEnd(const std::string& text, size_t from, size_t end)
{
    size_t word = from;
    while (word < end && text[word] == ' ')
        word++;
    if (word == end)
        return from;
    while (word < end && text[word] != ' ')
        word++;
    return word;
}

// The end of the line starting at start in the paragraph ending at end: as
// many words as fit in width, or, when not even the first does, as many of
// its characters as fit, at least one.
static size_t _LFLineEnd(_LFTextLayout& layout, size_t start, size_t end, float width)
{
    size_t fits = start;
    for (size_t next; (next = _LFNextWordEnd(layout.text, fits, end)) != fits; fits = next)
        if (_LFAdvance(layout, start, next) > width)
            break;
    if (fits > start)
        return fits;
    fits = start + _LFLeadLength((unsigned char)layout.text[start]);
    while (fits < end) {
        size_t next = fits + _LFLeadLength((unsigned char)layout.text[fits]);
        if (_LFAdvance(layout, start, next) > width)
            break;
        fits = next;
    }
    return fits;
}

// Breaks the visible text into lines no wider than width: at every "\n",
// and at spaces, which are dropped at a break.
static void _LFWrap(_LFTextLayout& layout, float width)
{
    size_t size = layout.text.size();
    for (size_t start = 0; size;) {
        size_t end = layout.text.find('\n', start);
        end = end == std::string::npos ? size : end;
        do {
            size_t lineEnd = start < end ? _LFLineEnd(layout, start, end, width) : end;
            _LFLine line = {start, lineEnd, _LFAdvance(layout, start, lineEnd)};
            layout.lines.push_back(line);
            for (start = lineEnd; start < end && layout.text[start] == ' ';)
                start++;
        } while (start < end);
        if (end == size)
            break;
        start = end + 1;
    }
}

// Lays out the well-formed text scan for a box width wide; 0 when memory
// runs out, with the reason in LFError().
static int _LFLayOut(_LFTextLayout& layout, FTFont* font, char* scan, LFColor color, float width)
{
    layout.font = font;
    try {
        _LFTakeText(layout, scan, color);
        _LFWrap(layout, width > 0 ? width : 0);  // NaN too
    } catch (const std::bad_alloc&) {
        _LFSetError("Out of memory laying out text");
        return 0;
    }
    return -1;
}

// Where a line or block of extent goes in room: at the start, in the middle
// (whole pixels) or at the end; never before the start.
static float _LFAlignIn(float room, float extent, int middle, int end)
{
    float offset = middle ? floorf((room - extent) / 2) : end ? floorf(room - extent) : 0;
    return offset > 0 ? offset : 0;
}

void LFFont::printInRect(LFRect box, LFTextAlign align, LFColor color, const char* text, ...)
{
    if (!text)
        return;
    char buffer[_LFFormatBufferSize];
    std::string repaired;
    va_list args;
    va_start(args, text);
    char* scan = _LFFormatText(buffer, repaired, text, args);
    va_end(args);
    _LFTextLayout layout;
    if (!_LFLayOut(layout, _hasGlyphs ? _font : NULL, scan, color, box.size.width))
        return;

    float height = lineHeight();
    size_t shown = 0;
    while (shown < layout.lines.size() && (float)(shown + 1) * height <= box.size.height)
        shown++;
    float top = box.origin.y + _LFAlignIn(box.size.height, (float)shown * height, align & LFAlignMiddle,
                                          align & LFAlignBottom);
    for (size_t i = 0; i < shown; i++) {
        const _LFLine& line = layout.lines[i];
        float left = box.origin.x + _LFAlignIn(box.size.width, line.width, align & LFAlignCenter,
                                               align & LFAlignRight);
        _beginLine(LFMakePoint(left, top + (float)i * height));
        _LFEachStretch(layout, line.start, line.end,
                       [&](char* from, char* to, LFColor c) { _LFRenderStretch(layout.font, c, from, to); });
        _endLine();
    }
}

// Formats as printInRect does, for a text that is not a format.
static char* _LFCopyText(char buffer[_LFFormatBufferSize], std::string& repaired, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    char* text = _LFFormatText(buffer, repaired, format, args);
    va_end(args);
    return text;
}

LFSize LFFont::wrappedSize(float width, const char* text)
{
    if (!text)
        return LFZeroSize;
    char buffer[_LFFormatBufferSize];
    std::string repaired;
    _LFTextLayout layout;
    if (!_LFLayOut(layout, _hasGlyphs ? _font : NULL, _LFCopyText(buffer, repaired, "%s", text),
                   LFMakeColor(1, 1, 1, 1), width))
        return LFZeroSize;
    float widest = 0;
    for (const _LFLine& line : layout.lines)
        widest = line.width > widest ? line.width : widest;
    return LFMakeSize(widest, (float)layout.lines.size() * lineHeight());
}
