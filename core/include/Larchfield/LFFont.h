// Fonts: one face from a font file at one whole-pixel size, drawn into the
// current OpenGL context through FTGL, with inline colour markup in its text.
#ifndef LFFONT_H
#define LFFONT_H

#include <map>

#include "LF2DPrimitives.h"
#include "LFColor.h"

class FTFont;

// How a font draws its glyphs. The constructor takes a plain int: any value
// other than LFAliased draws as LFAntiAliased.
enum LFAliasMode {
    LFAliased = 1,     // outlines tessellated into untextured polygons: hard edges
    LFAntiAliased = 2  // glyphs rendered into textures: smoothed edges
};

// Colour markup, understood by print and stringBounds: "{Cr,g,b,a}text{EC}"
// draws text in the colour of the four numbers (each read with atof, 0..1).
// Escapes do not nest: "{C" inside coloured text is plain text. An escape
// that lacks a delimiter, or whose numbers are not closed by the first "}"
// after its "{C", is no escape: it and all the text after it are plain text
// in the base colour.
//
// Text is UTF-8. Every maximal ill-formed part of a text (a stray or missing
// byte, an overlong form, a surrogate, a code point above U+10FFFF) is drawn,
// measured and advanced over as one U+FFFD, the replacement character, as
// Unicode recommends; well-formed text goes to FTGL as it stands. A cut at
// 1023 bytes keeps whole characters.
//
// Note: setSize is virtual and may be overridden, but the destructor is not:
// deleting a subclass through an LFFont* runs LFFont's destructor only, which
// is undefined behaviour. Delete every font through a pointer to its own
// class. For the same reason compilers warn at the delete of an LFFont*
// (-Wdelete-non-virtual-dtor, part of -Wall); where the font is an LFFont
// itself the warning may be silenced there.
class LFFont {
public:
    // Not usable: always throws std::bad_alloc, with no error text.
    LFFont();
    // Loads the face at path, drawn as aliasMode, at size 10. Throws
    // std::bad_alloc when the file cannot be opened ("Unable to open font
    // file <path>" in LFError()). A face that refuses size 10 is still made,
    // at size 0, with setSize's error text.
    LFFont(char* path, int aliasMode);
    ~LFFont();

    // Sizes the face to s pixels (72 dpi). -1 when the font is at size s
    // afterwards; 0 when s is below 0 or above 65535 (FTGL or FreeType
    // would size the face wrongly), or FTGL refuses s or cannot draw at it
    // (the face has no metrics, say from a damaged head table; or an
    // LFAntiAliased font's lines are taller than the largest texture of the
    // current context),
    // with "Unable to set font face size" in LFError() and the previous size
    // kept.
    virtual int setSize(int s);
    // The current size; 0 until a size has been applied. A face left without
    // glyphs (its first size refused) draws nothing and measures text as 0.
    int getSize();

    // Stores the pixel shift print applies to text drawn at size (x right, y down).
    void setRenderingOffsetForSize(int size, LFPoint offset);
    // The shift stored for size, or LFZeroPoint when there is none.
    LFPoint renderingOffsetForSize(int size);

    // Vertical metrics in pixels at the current size.
    float lineHeight();
    // Height above the baseline.
    float ascender();
    // Depth below the baseline, negative for faces that reach below it.
    float descender();
    // ascender() plus the descender's depth truncated to whole pixels.
    float fullHeight();
    // Pen advance of the whole string, markup not interpreted; 0 for null.
    float advance(char* string);

    // Formats text printf-style (cut at 1023 bytes), then draws it as one
    // line into the current render context: pen at pos.x, baseline at pos.y +
    // floor(ascender) + floor(descender), moved by the offset of the current
    // size. Plain text is drawn in baseColor, escapes in their colour. A null
    // text draws nothing.
    // Note: text is a format: pass other text through "%s". Leaves baseColor
    // as the current colour; an LFAliased font also leaves GL_TEXTURE_2D enabled.
    void print(LFPoint pos, LFColor baseColor, char* text, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 4, 5)))
#endif
        ;
    // Width and height of the bounding box of str, which is not a format.
    // With includeEscapeSequences 0 the escapes are measured as their
    // coloured text (cut at 1023 bytes); otherwise str is measured as it
    // stands.
    LFSize stringBounds(char* str, int includeEscapeSequences);
    // Same as stringBounds(str, 0).
    LFSize stringBounds(char* str);

private:
    LFFont(const LFFont&) = delete;
    LFFont& operator=(const LFFont&) = delete;

    FTFont* _font;
    std::map<float, LFPoint>* _offsetCache;  // rendering offsets by whole size
    int _size;
    int _aliasMode;
    // -1 while FTGL holds glyphs for the face at _size, 0 before the first
    // size is applied and after a size change FTGL could neither make nor undo.
    int _hasGlyphs;
};

#endif
