// Fonts drawn into a real window and read back: construction, sizes, metrics
// and offsets, both alias modes, printing with colour markup, measuring, text
// that is not well-formed UTF-8, and the text calls fuzzed with seeded random
// texts.
#include <limits.h>  // INT_MIN
#include <math.h>    // ceilf
#include <stdio.h>   // fopen
#include <stdlib.h>  // malloc, free, getenv
#include <string.h>  // memcmp, memcpy

#include <algorithm>  // std::min, std::max
#include <new>        // std::bad_alloc
#include <random>
#include <string>
#include <vector>

#include <FTGL/ftgl.h>  // a reference face measured straight through FTGL

#include "TestSupport.h"
#include "string/LFStringPrivate.h"
#include "system/LFApplicationPrivate.h"

// The game's face: GNU Unifont from Debian's fonts-unifont, with outlines.
// Its glyphs sit on a 16-pixel grid: at size 16 each is 8 pixels wide, the
// ascender is 14 and the descender -2.
static char kFontPath[] = "/usr/share/fonts/opentype/unifont/unifont.otf";
// From the same package: a face whose only glyphs are a 16-pixel bitmap
// strike, so FreeType refuses every other size.
static char kBitmapFontPath[] = "/usr/share/fonts/truetype/unifont/unifont_sample.ttf";

static const LFColor kWhite = {1, 1, 1, 1};
static const LFColor kBlue = {0, 0, 1, 1};

// The game's face loaded as an LFAliased font at size 16 (one font pixel per
// screen pixel) in a 64 x 48 window, with a reference face measured by FTGL.
class Font : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        font = new LFFont(kFontPath, LFAliased);
        ASSERT_EQ(-1, font->setSize(16)) << LFError();
    }

    void TearDown() override
    {
        // An LFFont itself: the warning about deleting a subclass does not apply.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdelete-non-virtual-dtor"
        delete font;
#pragma GCC diagnostic pop
        WindowTest::TearDown();
    }

    // The whole framebuffer, rows from the top.
    std::vector<Pixel> frame()
    {
        std::vector<Pixel> pixels(kWidth * kHeight);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        std::vector<Pixel> rows(pixels.size());
        for (int y = 0; y < kHeight; y++)
            memcpy(&rows[y * kWidth], &pixels[(kHeight - 1 - y) * kWidth], kWidth * sizeof(Pixel));
        return rows;
    }

    void clear() { glClear(GL_COLOR_BUFFER_BIT); }

    // The smallest rectangle of whole pixels holding every matching pixel;
    // LFZeroRect when none matches.
    LFRect boundsOf(bool (*match)(Pixel))
    {
        std::vector<Pixel> pixels = frame();
        int left = kWidth, top = kHeight, right = -1, bottom = -1;
        for (int y = 0; y < kHeight; y++) {
            for (int x = 0; x < kWidth; x++) {
                if (!match(pixels[y * kWidth + x]))
                    continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        if (right < 0)
            return LFZeroRect;
        return LFMakeRect((float)left, (float)top, (float)(right - left + 1), (float)(bottom - top + 1));
    }

    int countOf(bool (*match)(Pixel))
    {
        int count = 0;
        for (Pixel p : frame())
            count += match(p);
        return count;
    }

    // Which pixels match, as a mask over the frame.
    std::vector<bool> maskOf(bool (*match)(Pixel))
    {
        std::vector<bool> mask;
        for (Pixel p : frame())
            mask.push_back(match(p));
        return mask;
    }

    // FTGL's bounding box of text in the game's face at size.
    static FTBBox referenceBox(const char* text, unsigned int size)
    {
        FTPolygonFont reference(kFontPath);
        reference.FaceSize(size, 72);
        return reference.BBox(text, -1, FTPoint(), FTPoint());
    }

    static LFSize referenceSize(const char* text, unsigned int size)
    {
        FTBBox box = referenceBox(text, size);
        return LFMakeSize(box.Upper().Xf() - box.Lower().Xf(), box.Upper().Yf() - box.Lower().Yf());
    }

    // Where FTGL's box of text lands on the screen when print puts the pen
    // at pen.x and the baseline at pen.y.
    static LFRect screenBox(const char* text, unsigned int size, LFPoint pen)
    {
        FTBBox box = referenceBox(text, size);
        return LFMakeRect(pen.x + box.Lower().Xf(), pen.y - box.Upper().Yf(),
                          box.Upper().Xf() - box.Lower().Xf(), box.Upper().Yf() - box.Lower().Yf());
    }

    // Prints text drawn literally: its first character, then the rest one
    // advance further on, so no "{C" is left for print to find.
    void printSplit(LFPoint pos, LFColor color, const char* text)
    {
        char first[2] = {text[0], '\0'};
        font->print(pos, color, Str("%s"), first);
        font->print(LFMakePoint(pos.x + font->advance(first), pos.y), color, Str("%s"), text + 1);
    }

    LFFont* font = nullptr;
};

static void ExpectSameSize(LFSize expected, LFSize actual, const char* what)
{
    EXPECT_EQ(expected.width, actual.width) << what;
    EXPECT_EQ(expected.height, actual.height) << what;
}

// ---------------------------------------------------------------------------
// Construction and sizes

TEST_F(Font, DefaultConstructionThrowsWithoutErrorText)
{
    _LFSetError("%s", "");
    EXPECT_THROW({ LFFont f; }, std::bad_alloc);
    EXPECT_STREQ("", LFError());
}

TEST_F(Font, MissingFileThrowsAndNamesIt)
{
    char* path = LFTempString("/nonexistent/missing.ttf");
    EXPECT_THROW({ LFFont f(path, LFAliased); }, std::bad_alloc);
    EXPECT_NE(nullptr, strstr(LFError(), "/nonexistent/missing.ttf")) << LFError();
    EXPECT_THROW({ LFFont f(path, LFAntiAliased); }, std::bad_alloc);
    EXPECT_THROW({ LFFont f(nullptr, LFAliased); }, std::bad_alloc);
}

TEST_F(Font, NewFontStartsAtSizeTen)
{
    for (int mode : {0, 1, 2, 3}) {
        LFFont f(kFontPath, mode);
        EXPECT_EQ(10, f.getSize()) << "mode " << mode;
        EXPECT_EQ(10, f.lineHeight()) << "mode " << mode;
    }
}

TEST_F(Font, SetSizeSizesTheFaceInWholePixels)
{
    EXPECT_EQ(16, font->getSize());
    EXPECT_EQ(14, font->ascender());
    EXPECT_EQ(-2, font->descender());
    EXPECT_EQ(16, font->lineHeight());

    EXPECT_EQ(-1, font->setSize(32));
    EXPECT_EQ(32, font->getSize());
    EXPECT_EQ(28, font->ascender());
    EXPECT_EQ(-4, font->descender());
    EXPECT_EQ(32, font->lineHeight());
    EXPECT_EQ(32, font->advance(LFTempString("Hi")));

    EXPECT_EQ(-1, font->setSize(32)) << "the size it already has";
}

TEST_F(Font, RefusedSizeKeepsThePreviousSizeAndItsGlyphs)
{
    font->print(LFMakePoint(0, 10), kWhite, Str("Hi"));
    std::vector<bool> before = maskOf(IsLit);
    ASSERT_GT(countOf(IsLit), 0);
    clear();

    _LFSetError("%s", "");
    EXPECT_EQ(0, font->setSize(-1));
    EXPECT_STREQ("Unable to set font face size", LFError());
    EXPECT_EQ(16, font->getSize());
    EXPECT_EQ(14, font->ascender());
    EXPECT_EQ(16, font->advance(LFTempString("Hi")));
    font->print(LFMakePoint(0, 10), kWhite, Str("Hi"));
    EXPECT_EQ(before, maskOf(IsLit)) << "the face draws as before";

    EXPECT_EQ(0, font->setSize(100000));
    EXPECT_EQ(16, font->getSize());
    // Past the 16 bits FreeType keeps a size in; taken as another on Windows.
    EXPECT_EQ(0, font->setSize((1 << 25) - 1));
    EXPECT_EQ(16, font->getSize());
    EXPECT_EQ(-1, font->setSize(24));
    EXPECT_EQ(24, font->advance(LFTempString("Hi")));
}

// FTGL passes a size on to FreeType times 64 in an unsigned int and takes
// these, sizing the face to what the product wraps to; setSize refuses them.
TEST_F(Font, SizesThatWrapInsideFTGLAreRefused)
{
    const int wrapping[] = {INT_MIN, (1 << 26) + 16, INT_MIN + 16, -(1 << 26) + 16};
    for (int size : wrapping) {
        FTPolygonFont reference(kFontPath);
        ASSERT_TRUE(reference.FaceSize((unsigned int)size, 72)) << "the premise: FTGL takes " << size;
    }
    for (int mode : {LFAliased, LFAntiAliased}) {
        LFFont f(kFontPath, mode);
        ASSERT_EQ(-1, f.setSize(16));
        for (int size : wrapping) {
            _LFSetError("earlier");
            EXPECT_EQ(0, f.setSize(size)) << size;
            EXPECT_STREQ("Unable to set font face size", LFError()) << size;
            EXPECT_EQ(16, f.getSize()) << size;
            EXPECT_EQ(16, f.lineHeight()) << size;
        }
        const int largest = (1 << 26) - 1;
        EXPECT_EQ(0, f.setSize(largest)) << "refused, as before";
        EXPECT_EQ(16, f.getSize());
        clear();
        f.print(LFMakePoint(0, 20), kWhite, Str("Hi"));
        EXPECT_GT(countOf(IsLit), 20) << "the face still draws at 16";
    }
}

TEST_F(Font, FaceThatRefusesItsFirstSizeStaysAtSizeZero)
{
    // The premise: FTGL refuses size 0 (read as 1) and size 10 for this face.
    {
        FTPolygonFont reference(kBitmapFontPath);
        ASSERT_EQ(0, reference.Error());
        ASSERT_FALSE(reference.FaceSize(10, 72));
        FTPolygonFont other(kBitmapFontPath);
        ASSERT_FALSE(other.FaceSize(0, 72));
    }

    _LFSetError("%s", "");
    LFFont f(kBitmapFontPath, LFAliased);
    EXPECT_EQ(0, f.getSize());
    EXPECT_STREQ("Unable to set font face size", LFError());

    _LFSetError("%s", "");
    EXPECT_EQ(-1, f.setSize(0)) << "the size it already has: FTGL is not asked";
    EXPECT_STREQ("", LFError());

    // Without glyphs nothing is drawn or measured.
    EXPECT_EQ(0, f.advance(LFTempString("Hi")));
    LFSize bounds = f.stringBounds(LFTempString("Hi"));
    EXPECT_EQ(0, bounds.width);
    EXPECT_EQ(0, bounds.height);
    glDisable(GL_TEXTURE_2D);
    f.print(LFMakePoint(0, 10), kBlue, Str("Hi {C1,0,0,1}there{EC}"));
    EXPECT_EQ(0, countOf(IsLit));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLfloat color[4];
    glGetFloatv(GL_CURRENT_COLOR, color);
    EXPECT_EQ(1, color[2]);

    EXPECT_EQ(0, f.setSize(20));
    EXPECT_EQ(0, f.getSize());
    EXPECT_EQ(-1, f.setSize(16)) << "the face's own strike";
    EXPECT_EQ(16, f.getSize());
    EXPECT_EQ(14, f.ascender());
}

// FreeType reads size 0 as its smallest size, 1 pixel: the face has glyphs
// there, and drawing and measuring agree with FTGL's metrics.
TEST_F(Font, SizeZeroIsASizeWithGlyphs)
{
    FTPolygonFont reference(kFontPath);
    ASSERT_TRUE(reference.FaceSize(0, 72)) << "the premise: FTGL takes size 0";
    float advance = reference.Advance("Hi", -1, FTPoint());
    ASSERT_GT(advance, 0);

    EXPECT_EQ(-1, font->setSize(0));
    EXPECT_EQ(0, font->getSize());
    EXPECT_EQ(reference.LineHeight(), font->lineHeight());
    EXPECT_EQ(advance, font->advance(Str("Hi")));
    ExpectSameSize(referenceSize("Hi", 0), font->stringBounds(Str("Hi")), "bounds");
    EXPECT_GT(font->stringBounds(Str("Hi")).width, 0);
    // One font pixel drawn 24 screen pixels wide; the baseline lands at
    // 1.9 + floor(ascender) + floor(descender) = 0.9 font pixels.
    glPushMatrix();
    glScalef(24, 24, 1);
    font->print(LFMakePoint(0, 1.9f), kWhite, Str("H"));
    glPopMatrix();
    EXPECT_GT(countOf(IsLit), 20);

    // A refused size afterwards goes back to size 0 and its glyphs.
    EXPECT_EQ(0, font->setSize(100000));
    EXPECT_EQ(0, font->getSize());
    EXPECT_EQ(advance, font->advance(Str("Hi")));
}

// A font whose setSize logs every size before sizing the face.
class LoggingFont : public LFFont {
public:
    using LFFont::LFFont;
    int setSize(int s) override
    {
        sizes.push_back(s);
        return LFFont::setSize(s);
    }
    std::vector<int> sizes;
};

TEST_F(Font, ASubclassMayOverrideSetSize)
{
    LoggingFont logging(kFontPath, LFAliased);
    EXPECT_TRUE(logging.sizes.empty()) << "construction sizes the face as an LFFont";
    LFFont* base = &logging;
    EXPECT_EQ(-1, base->setSize(16));
    EXPECT_EQ(std::vector<int>{16}, logging.sizes);
    EXPECT_EQ(16, logging.getSize());
}

// FTGL accepts these sizes but cannot draw at them: textured glyphs taller
// than the largest texture fail inside OpenGL, and a face whose head table is
// lost has no metrics at any size. setSize says so.
TEST_F(Font, SizesFTGLCannotDrawAreRefused)
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    ASSERT_GT(largest, 0);
    LFFont smooth(kFontPath, LFAntiAliased);
    ASSERT_EQ(-1, smooth.setSize(16));
    _LFSetError("earlier");
    EXPECT_EQ(0, smooth.setSize(20000));
    EXPECT_STREQ("Unable to set font face size", LFError());
    EXPECT_EQ(16, smooth.getSize());
    EXPECT_EQ(14, smooth.ascender()) << "the previous size is applied again";
    while (glGetError() != GL_NO_ERROR) {
    }
    smooth.print(LFMakePoint(0, 10), kWhite, Str("Hi"));
    EXPECT_EQ(GL_NO_ERROR, glGetError());
    EXPECT_GT(countOf(IsLit), 20);
    EXPECT_EQ(-1, smooth.setSize(largest)) << "the tallest that fits";
    EXPECT_EQ(-1, font->setSize(20000)) << "outlines need no texture";

    // The face with its head table renamed, so FreeType finds none.
    std::string face;
    FILE* file = fopen(kFontPath, "rb");
    ASSERT_NE(nullptr, file);
    for (int c; (c = fgetc(file)) != EOF;)
        face += (char)c;
    fclose(file);
    size_t entry = face.find("head");
    ASSERT_LT(entry, 12 + 16 * 32u) << "in the table directory";
    face.replace(entry, 4, "hexd");
    std::string path = ::testing::TempDir() + "lfheadless.otf";
    file = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, file);
    fwrite(face.data(), 1, face.size(), file);
    fclose(file);
    for (int mode : {LFAliased, LFAntiAliased}) {
        clear();
        _LFSetError("earlier");
        LFFont headless(LFTempString("%s", path.c_str()), mode);
        EXPECT_STREQ("Unable to set font face size", LFError()) << "mode " << mode;
        EXPECT_EQ(0, headless.getSize()) << "mode " << mode;
        EXPECT_EQ(0, headless.setSize(16)) << "mode " << mode;
        headless.print(LFMakePoint(0, 10), kWhite, Str("Hi"));
        EXPECT_EQ(0, countOf(IsLit)) << "mode " << mode;
    }
    remove(path.c_str());
}

// ---------------------------------------------------------------------------
// Rendering offsets and metrics

TEST_F(Font, RenderingOffsetsAreKeptPerSize)
{
    LFPoint none = font->renderingOffsetForSize(12);
    EXPECT_EQ(0, none.x);
    EXPECT_EQ(0, none.y);

    font->setRenderingOffsetForSize(12, LFMakePoint(1, 2));
    font->setRenderingOffsetForSize(12, LFMakePoint(-3, 4.5f));
    font->setRenderingOffsetForSize(20, LFMakePoint(7, 8));
    LFPoint twelve = font->renderingOffsetForSize(12);
    EXPECT_EQ(-3, twelve.x);
    EXPECT_EQ(4.5f, twelve.y);
    EXPECT_EQ(7, font->renderingOffsetForSize(20).x);
    EXPECT_EQ(0, font->renderingOffsetForSize(16).x);
}

TEST_F(Font, FullHeightAddsTheDescenderDepthInWholePixels)
{
    EXPECT_EQ(16, font->fullHeight());
    for (int size : {7, 10, 13, 21, 32}) {
        ASSERT_EQ(-1, font->setSize(size));
        EXPECT_EQ(font->ascender() + (float)abs((int)font->descender()), font->fullHeight()) << size;
        EXPECT_GE(font->fullHeight(), font->ascender()) << size;
    }
}

TEST_F(Font, AdvanceIsThePenAdvanceWithMarkupUninterpreted)
{
    EXPECT_EQ(16, font->advance(LFTempString("Hi")));
    EXPECT_EQ(0, font->advance(Str("")));
    EXPECT_EQ(0, font->advance(nullptr));
    EXPECT_EQ(15 * 8, font->advance(LFTempString("{C1,0,0,1}x{EC}")));
    EXPECT_GT(font->advance(LFTempString("Hi")), font->stringBounds(LFTempString("Hi")).width)
        << "the pen moves past the glyphs' side bearings";
}

// ---------------------------------------------------------------------------
// Printing

TEST_F(Font, PrintPutsThePenAtPosAndTheBaselineBelowIt)
{
    // Baseline at pos.y + floor(14) + floor(-2).
    font->print(LFMakePoint(5, 10), kWhite, Str("H"));
    LFRect expected = screenBox("H", 16, LFMakePoint(5, 22));
    LFRect drawn = boundsOf(IsLit);
    EXPECT_TRUE(LFEqualRects(expected, drawn)) << LFRectToString(expected) << " vs " << LFRectToString(drawn);
    EXPECT_GT(drawn.size.height, 8) << "tessellated outlines fill the glyph";
}

TEST_F(Font, PrintMovesTextByTheOffsetOfTheCurrentSize)
{
    font->setRenderingOffsetForSize(16, LFMakePoint(3, 5));
    font->setRenderingOffsetForSize(20, LFMakePoint(20, 20));
    font->print(LFMakePoint(5, 10), kWhite, Str("H"));
    LFRect expected = screenBox("H", 16, LFMakePoint(8, 27));
    LFRect drawn = boundsOf(IsLit);
    EXPECT_TRUE(LFEqualRects(expected, drawn)) << LFRectToString(expected) << " vs " << LFRectToString(drawn);
}

TEST_F(Font, BothAliasModesDrawInPlace)
{
    for (int mode : {LFAliased, LFAntiAliased}) {
        clear();
        LFFont f(kFontPath, mode);
        ASSERT_EQ(-1, f.setSize(16));
        f.print(LFMakePoint(20, 4), kWhite, Str("H"));
        LFRect expected = screenBox("H", 16, LFMakePoint(20, 16));
        LFRect drawn = boundsOf(IsLit);
        EXPECT_NEAR(expected.origin.x, drawn.origin.x, 1) << "mode " << mode;
        EXPECT_NEAR(expected.origin.y, drawn.origin.y, 1) << "mode " << mode;
        EXPECT_NEAR(expected.size.width, drawn.size.width, 1) << "mode " << mode;
        EXPECT_NEAR(expected.size.height, drawn.size.height, 1) << "mode " << mode;
    }
}

TEST_F(Font, AliasedDrawsHardEdgesAndEveryOtherModeSmoothOnes)
{
    // At size 20 a font pixel covers 1.25 screen pixels.
    for (int mode : {0, 1, 2, 3}) {
        clear();
        LFFont f(kFontPath, mode);
        ASSERT_EQ(-1, f.setSize(20));
        f.print(LFMakePoint(0, 10), kWhite, Str("HiWM"));
        EXPECT_GT(countOf(IsLit), 50) << "mode " << mode;
        if (mode == LFAliased)
            EXPECT_EQ(0, countOf(IsPartial)) << "mode " << mode;
        else
            EXPECT_GT(countOf(IsPartial), 10) << "mode " << mode;
    }
}

TEST_F(Font, PrintLeavesTheBaseColourAndOnlyAliasedTurnsTexturingOn)
{
    for (int mode : {0, 1, 2, 3}) {
        LFFont f(kFontPath, mode);
        glDisable(GL_TEXTURE_2D);
        f.print(LFMakePoint(0, 10), LFMakeColor(0.25f, 0.5f, 0.75f, 1), Str("a{C1,0,0,1}b{EC}c"));
        EXPECT_EQ(mode == LFAliased, (bool)glIsEnabled(GL_TEXTURE_2D)) << "mode " << mode;
        GLfloat color[4];
        glGetFloatv(GL_CURRENT_COLOR, color);
        EXPECT_EQ(0.25f, color[0]) << "mode " << mode;
        EXPECT_EQ(0.5f, color[1]) << "mode " << mode;
        EXPECT_EQ(0.75f, color[2]) << "mode " << mode;
        GLint depth;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        EXPECT_EQ(1, depth) << "mode " << mode;
    }
}

TEST_F(Font, ColourEscapeColoursItsStretch)
{
    font->print(LFMakePoint(0, 10), kWhite, Str("Hi there"));
    std::vector<bool> plain = maskOf(IsLit);
    clear();

    font->print(LFMakePoint(0, 10), kBlue, Str("{C1,0,0,1}Hi{EC} there"));
    LFRect red = boundsOf(IsRed);
    LFRect blue = boundsOf(IsBlue);
    ASSERT_GT(red.size.width, 0);
    ASSERT_GT(blue.size.width, 0);
    EXPECT_LE(red.origin.x + red.size.width, 16) << "red only where Hi stands";
    EXPECT_GE(blue.origin.x, 16) << "base colour only after it";

    // The same glyphs as the plain text: " there" starts where "Hi" ended.
    std::vector<Pixel> pixels = frame();
    for (size_t i = 0; i < pixels.size(); i++)
        EXPECT_EQ(plain[i], IsRed(pixels[i]) || IsBlue(pixels[i])) << "pixel " << i;
}

TEST_F(Font, EscapeComponentsAreReadAsNumbers)
{
    font->print(LFMakePoint(0, 10), kWhite, Str("{C x, 1 , 0.5,1}H{EC}"));
    LFRect drawn = boundsOf(IsLit);
    ASSERT_GT(drawn.size.width, 0);
    Pixel p = at((int)drawn.origin.x, (int)(drawn.origin.y + drawn.size.height - 1));
    EXPECT_EQ(0, p.r);
    EXPECT_EQ(255, p.g);
    EXPECT_NEAR(128, p.b, 1);

    clear();
    font->print(LFMakePoint(0, 10), kWhite, Str("{C,1,,1}H{EC}"));
    EXPECT_GT(countOf(IsGreen), 0) << "empty components read as 0";
    EXPECT_EQ(countOf(IsLit), countOf(IsGreen));
}

TEST_F(Font, EscapesDoNotNest)
{
    ASSERT_EQ(-1, font->setSize(8));
    printSplit(LFMakePoint(0, 10), kWhite, "a{C0,1,0,1}b");
    std::vector<bool> literal = maskOf(IsLit);
    clear();

    font->print(LFMakePoint(0, 10), kWhite, Str("{C1,0,0,1}a{C0,1,0,1}b{EC}"));
    EXPECT_EQ(0, countOf(IsGreen));
    EXPECT_EQ(literal, maskOf(IsRed)) << "a{C0,1,0,1}b all in red";
}

TEST_F(Font, UnfinishedOrMalformedEscapesDrawLiterally)
{
    ASSERT_EQ(-1, font->setSize(8));
    const char* texts[] = {
        "{C1,0,0Hi{EC}",     // too few commas
        "{C1,0,0,1}Hi",      // no "{EC}"
        "{C1,0,0,1Hi{EC}",   // no brace of its own: the first is inside "{EC}"
        "{C1,0}0,1}Hi{EC}",  // a brace among the numbers
        "{C1,0,0,1",         // cut short
        "x{C",
    };
    for (const char* text : texts) {
        clear();
        printSplit(LFMakePoint(0, 10), kWhite, text);
        std::vector<bool> literal = maskOf(IsLit);
        clear();
        font->print(LFMakePoint(0, 10), kWhite, Str("%s"), text);
        EXPECT_EQ(0, countOf(IsRed)) << text;
        EXPECT_EQ(literal, maskOf(IsLit)) << text;
        ExpectSameSize(font->stringBounds(Str(text), 1), font->stringBounds(Str(text)), text);
    }
}

TEST_F(Font, BraceBeforeAnEscapeIsPlainText)
{
    ASSERT_EQ(-1, font->setSize(8));
    char* text = LFTempString("}a{C1,0,0,1}b{EC}c");
    ExpectSameSize(font->stringBounds(LFTempString("}abc")), font->stringBounds(text), text);

    font->print(LFMakePoint(0, 10), kBlue, Str("%s"), text);
    LFRect red = boundsOf(IsRed);
    LFRect blue = boundsOf(IsBlue);
    ASSERT_GT(red.size.width, 0) << "the escape still colours b";
    EXPECT_GE(red.origin.x, 8);
    EXPECT_LE(red.origin.x + red.size.width, 12);
    EXPECT_LT(blue.origin.x, 8);
    EXPECT_GE(blue.origin.x + blue.size.width, 12);
}

TEST_F(Font, PrintFormatsBeforeLookingForEscapes)
{
    font->print(LFMakePoint(0, 10), kWhite, Str("%s"), "{C1,0,0,1}Hi{EC}");
    EXPECT_GT(countOf(IsRed), 0) << "an argument can carry an escape";
    EXPECT_EQ(countOf(IsLit), countOf(IsRed));

    clear();
    font->print(LFMakePoint(0, 10), kWhite, Str("P7"));
    std::vector<bool> expected = maskOf(IsLit);
    clear();
    font->print(LFMakePoint(0, 10), kWhite, Str("P%d"), 7);
    EXPECT_EQ(expected, maskOf(IsLit));
}

TEST_F(Font, PrintCutsFormattedTextAt1023Characters)
{
    ASSERT_EQ(-1, font->setSize(8));
    // 1023 characters: the escape ends on the last one kept.
    std::string whole = "{C1,0,0,1}" + std::string(1009, 'x') + "{EC}";
    ASSERT_EQ(1023u, whole.size());
    font->print(LFMakePoint(0, 10), kWhite, Str("%s"), whole.c_str());
    EXPECT_GT(countOf(IsRed), 0);
    EXPECT_EQ(countOf(IsLit), countOf(IsRed));

    // One more x pushes the closing "}" out: the rest is drawn literally.
    clear();
    std::string cut = "{C1,0,0,1}" + std::string(1010, 'x') + "{EC}";
    font->print(LFMakePoint(0, 10), kWhite, Str("%s"), cut.c_str());
    EXPECT_EQ(0, countOf(IsRed));
    std::vector<bool> drawn = maskOf(IsLit);
    clear();
    printSplit(LFMakePoint(0, 10), kWhite, cut.substr(0, 1023).c_str());
    EXPECT_EQ(maskOf(IsLit), drawn);
}

// ---------------------------------------------------------------------------
// Measuring

TEST_F(Font, StringBoundsMeasuresEscapedTextAsItsPlainText)
{
    LFSize hi = font->stringBounds(LFTempString("Hi"));
    ExpectSameSize(referenceSize("Hi", 16), hi, "Hi");
    ExpectSameSize(hi, font->stringBounds(LFTempString("{C1,0,0,1}Hi{EC}")), "escaped Hi");
    ExpectSameSize(hi, font->stringBounds(LFTempString("{C1,0,0,1}Hi{EC}"), 0), "two-argument form");
    ExpectSameSize(font->stringBounds(LFTempString("Hi there")),
                   font->stringBounds(LFTempString("{C1,0,0,1}Hi{EC} there")), "Hi there");
    ExpectSameSize(font->stringBounds(LFTempString("a{C0,1,0,1}b")),
                   font->stringBounds(LFTempString("{C1,0,0,1}a{C0,1,0,1}b{EC}")), "not nested");

    const char* escaped = "{C1,0,0,1}Hi{EC}";
    ExpectSameSize(referenceSize(escaped, 16), font->stringBounds(Str(escaped), 1), "escape measured");
    EXPECT_GT(font->stringBounds(Str(escaped), 1).width, hi.width);
}

TEST_F(Font, StringBoundsDoesNotFormat)
{
    ExpectSameSize(referenceSize("100%d", 16), font->stringBounds(LFTempString("100%%d")), "100%d");
    ExpectSameSize(referenceSize("%s%n", 16), font->stringBounds(LFTempString("%%s%%n"), 1), "%s%n");
}

TEST_F(Font, StringBoundsCutsOnlyWhenRemovingMarkup)
{
    ASSERT_EQ(-1, font->setSize(8));
    std::string text(2000, 'x');
    std::vector<char> copy(text.begin(), text.end());
    copy.push_back('\0');
    EXPECT_EQ(referenceSize(text.c_str(), 8).width, font->stringBounds(copy.data(), 1).width);
    EXPECT_EQ(referenceSize(text.substr(0, 1023).c_str(), 8).width, font->stringBounds(copy.data()).width);
}

// ---------------------------------------------------------------------------
// UTF-8

static const char kReplacement[] = "\xEF\xBF\xBD";

// Draws text straight through FTGL, as print did before it checked text:
// the same transform, white, one stretch.
static void ReferencePrint(FTFont& face, int mode, LFPoint pos, const char* text)
{
    glPushMatrix();
    if (mode == LFAliased)
        glDisable(GL_TEXTURE_2D);
    glRotatef(180, 1, 0, 0);
    glTranslatef(pos.x, -pos.y + ceilf(-face.Ascender()) + ceilf(-face.Descender()), 0);
    glColor4f(1, 1, 1, 1);
    face.Render(text, -1, FTPoint(), FTPoint(), FTGL::RENDER_ALL);
    if (mode == LFAliased)
        glEnable(GL_TEXTURE_2D);
    glPopMatrix();
}

// Well-formed text goes to FTGL unchanged: the same pixels, bounds and
// advance as FTGL gives for it, in both modes, from one byte to four.
TEST_F(Font, WellFormedTextDrawsAsFTGLDrawsIt)
{
    const char* texts[] = {
        "Hi", "\x7F~", "\xC2\x80\xC3\xA9\xDF\xBF", "\xE0\xA0\x80\xE2\x82\xAC\xED\x9F\xBF",
        "\xEE\x80\x80\xEF\xBF\xBD", "\xF0\x90\x80\x80\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBFz",
        "\xE6\x97\xA5\xE6\x9C\xAC",
    };
    for (int mode : {LFAliased, LFAntiAliased}) {
        LFFont f(kFontPath, mode);
        ASSERT_EQ(-1, f.setSize(16));
        FTPolygonFont polygon(kFontPath);
        FTTextureFont textured(kFontPath);
        FTFont& reference = (mode == LFAliased) ? (FTFont&)polygon : (FTFont&)textured;
        reference.FaceSize(16, 72);
        for (const char* text : texts) {
            clear();
            ReferencePrint(reference, mode, LFMakePoint(0, 10), text);
            std::vector<Pixel> expected = frame();
            clear();
            f.print(LFMakePoint(0, 10), kWhite, Str("%s"), text);
            EXPECT_TRUE(expected == frame()) << "mode " << mode << ": " << text;
            FTBBox box = reference.BBox(text, -1, FTPoint(), FTPoint());
            ExpectSameSize(LFMakeSize(box.Upper().Xf() - box.Lower().Xf(), box.Upper().Yf() - box.Lower().Yf()),
                           f.stringBounds(Str(text), 1), text);
            EXPECT_EQ(reference.Advance(text, -1, FTPoint()), f.advance(Str(text))) << text;
        }
    }
}

// Each maximal ill-formed part is one U+FFFD, the same in drawing, in both
// measures, in the advance and in the global font's calls. Before, each of
// these crashed inside FTGL.
TEST_F(Font, IllFormedTextDrawsAndMeasuresAsReplacementCharacters)
{
    const std::string r = kReplacement;
    const struct {
        const char* text;
        std::string drawn;
    } cases[] = {
        {"\xFF", r},
        {"\xFE", r},
        {"\xC0", r},
        {"\xC0\x80", r + r},                      // an overlong NUL
        {"\xE2", r},                              // a truncated sequence
        {"ok\xE2\x82", "ok" + r},                 // ... at the end: one part
        {"\xE2\x82x", r + "x"},
        {"a\x80" "b", "a" + r + "b"},             // a stray continuation byte
        {"\xF8\x88\x80\x80\x80", r + r + r + r + r},  // the old five-byte form
        {"\xFC", r},
        {"\xF4\x90\x80\x80", r + r + r + r},       // above U+10FFFF
        {"\xED\xA0\x80", r + r + r},               // a surrogate
        {"\xE2{C1,0,0,1}\x82\xAC{EC}", r + "{C1,0,0,1}" + r + r + "{EC}"},  // never joined across markup
    };
    for (int mode : {LFAliased, LFAntiAliased}) {
        LFFont f(kFontPath, mode);
        ASSERT_EQ(-1, f.setSize(16));
        LFUISetGlobalFont(kFontPath, (LFAliasMode)mode, 16, LFZeroPoint);
        for (const auto& c : cases) {
            clear();
            f.print(LFMakePoint(0, 10), kWhite, Str("%s"), c.drawn.c_str());
            std::vector<Pixel> expected = frame();
            ASSERT_GT(countOf(IsLit) + countOf(IsRed), 10) << "the face has a replacement character";
            clear();
            f.print(LFMakePoint(0, 10), kWhite, Str("%s"), c.text);
            EXPECT_TRUE(expected == frame()) << "mode " << mode << ": " << c.drawn;
            clear();
            LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, Str(c.text));
            EXPECT_TRUE(expected == frame()) << "global font, mode " << mode << ": " << c.drawn;

            char* drawn = Str(c.drawn.c_str());
            ExpectSameSize(f.stringBounds(drawn), f.stringBounds(Str(c.text)), c.drawn.c_str());
            ExpectSameSize(f.stringBounds(drawn, 1), f.stringBounds(Str(c.text), 1), c.drawn.c_str());
            ExpectSameSize(LFUIGlobalFontStringBounds(drawn), LFUIGlobalFontStringBounds(Str(c.text)),
                           c.drawn.c_str());
            EXPECT_EQ(f.advance(drawn), f.advance(Str(c.text))) << c.drawn;
        }
    }
}

// 1022 "a" and a three-byte "\xE2\x82\xAC" make 1025 bytes: the cut at
// 1023 used to leave "\xE2\x82", which crashed. The euro sign is left out.
TEST_F(Font, CutsKeepWholeCharacters)
{
    std::string as(1022, 'a');
    std::string text = as + "\xE2\x82\xAC";
    // The pen starts far to the left, so that the end of the text is in sight.
    LFPoint pos = LFMakePoint(40 - 8 * 1022, 10);
    font->print(pos, kWhite, Str("%s"), as.substr(1).c_str());
    std::vector<Pixel> shorter = frame();
    clear();
    font->print(pos, kWhite, Str("%s"), as.c_str());
    std::vector<Pixel> expected = frame();
    EXPECT_FALSE(shorter == expected) << "the end of the text is in sight";
    clear();
    font->print(pos, kWhite, Str("%s"), text.c_str());
    EXPECT_TRUE(expected == frame());

    ExpectSameSize(font->stringBounds(Str(as.c_str())), font->stringBounds(Str(text.c_str())), "cut");
    // One "a" less and the euro sign fits; measured as it stands, nothing is cut.
    std::string fits = std::string(1020, 'a') + "\xE2\x82\xAC";
    ExpectSameSize(font->stringBounds(Str(fits.c_str()), 1), font->stringBounds(Str(fits.c_str())), "fits");
    std::vector<char> whole(text.begin(), text.end());
    whole.push_back('\0');
    EXPECT_GT(font->stringBounds(whole.data(), 1).width, font->stringBounds(Str(as.c_str())).width);
}

// A 100 KB marked-up text used to leave over 11,000 temporary strings per
// measure; the result is the same, and no string is left.
TEST_F(Font, MeasuringLongMarkedUpTextLeavesNoTemporaryStrings)
{
    std::string text, plain;
    while (text.size() < 100000) {
        text += "ab{C1,0,0,1}cd{EC}";
        plain += "abcd";
    }
    std::vector<char> block(text.begin(), text.end());
    block.push_back('\0');
    LFSize expected = font->stringBounds(Str(plain.substr(0, 1023).c_str()), 1);
    int pooled = _LFTempStringCount();
    ExpectSameSize(expected, font->stringBounds(block.data()), "long text");
    EXPECT_EQ(pooled, _LFTempStringCount());
}

// ---------------------------------------------------------------------------
// The markup scanner under random texts

// The markup rule restated on std::string: the plain text an escaped text
// measures as, and how many escapes it holds.
static std::string StripMarkup(const std::string& text, int* escapes)
{
    std::string plain;
    size_t scan = 0;
    for (;;) {
        size_t start = text.find("{C", scan);
        if (start == std::string::npos)
            break;
        size_t comma1 = text.find(',', start);
        size_t comma2 = comma1 == std::string::npos ? comma1 : text.find(',', comma1 + 1);
        size_t comma3 = comma2 == std::string::npos ? comma2 : text.find(',', comma2 + 1);
        size_t end = comma3 == std::string::npos ? comma3 : text.find("{EC}", comma3 + 1);
        if (end == std::string::npos)
            break;
        size_t brace = text.find('}', start);
        if (!(comma3 < brace && brace < end))
            break;
        plain += text.substr(scan, start - scan) + text.substr(brace + 1, end - brace - 1);
        scan = end + 4;
        (*escapes)++;
    }
    plain += text.substr(scan);
    return plain.substr(0, 1023);
}

// A random text of markup characters, letters and whole markup tokens.
static std::string RandomMarkupText(std::mt19937& rng)
{
    static const char markup[] = "{}C,.0123456789E";
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    static const char* const tokens[] = {"{C", "{EC}", "}", ",", "{C1,0,0,1}"};
    size_t length = rng() % 1101;
    std::string text;
    while (text.size() < length) {
        unsigned kind = rng() % 10;
        if (kind < 3)
            text += tokens[rng() % 5];
        else if (kind < 8)
            text += markup[rng() % (sizeof(markup) - 1)];
        else
            text += letters[rng() % (sizeof(letters) - 1)];
    }
    text.resize(length);
    return text;
}

TEST_F(Font, EscapeScannerStaysInsideAnyText)
{
    ASSERT_EQ(-1, font->setSize(8));
    std::mt19937 rng(20240214);
    int escapes = 0;
    int plainTexts = 0;
    for (int i = 0; i < 3000; i++) {
        std::string text = RandomMarkupText(rng);
        // An exact-size block, so the sanitizer sees any read past its end.
        char* block = (char*)malloc(text.size() + 1);
        ASSERT_NE(nullptr, block);
        memcpy(block, text.c_str(), text.size() + 1);

        int found = 0;
        std::string plain = StripMarkup(text, &found);
        escapes += found;
        plainTexts += (found == 0);
        std::vector<char> plainBlock(plain.begin(), plain.end());
        plainBlock.push_back('\0');

        LFSize expected = font->stringBounds(plainBlock.data(), 1);
        LFSize measured = font->stringBounds(block);
        ASSERT_EQ(expected.width, measured.width) << "text " << i << ": " << text;
        ASSERT_EQ(expected.height, measured.height) << "text " << i << ": " << text;
        font->stringBounds(block, 1);
        font->print(LFMakePoint(0, 10), kBlue, Str("%s"), block);

        ASSERT_EQ(0, memcmp(block, text.c_str(), text.size() + 1)) << "text " << i << " was written to";
        free(block);
        _LFCleanTempStrings();
    }
    EXPECT_GT(escapes, 1000) << "the texts hold escapes";
    EXPECT_GT(plainTexts, 100) << "and texts without any";

    GLfloat color[4];
    glGetFloatv(GL_CURRENT_COLOR, color);
    EXPECT_EQ(1, color[2]);
    GLint depth;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(1, depth);
}

// ---------------------------------------------------------------------------
// The text calls under arbitrary bytes

// Unicode's replacement of ill-formed UTF-8, written out from its table of
// well-formed byte sequences: each maximal ill-formed part becomes U+FFFD.
static std::string ReferenceRepair(const std::string& text)
{
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        unsigned char c = text[i];
        int trailing = 0;
        unsigned char low = 0x80, high = 0xBF;  // range of the next byte
        if (c <= 0x7F) {
            out += text[i++];
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            trailing = 1;
        } else if (c == 0xE0) {
            trailing = 2, low = 0xA0;
        } else if ((c >= 0xE1 && c <= 0xEC) || c == 0xEE || c == 0xEF) {
            trailing = 2;
        } else if (c == 0xED) {
            trailing = 2, high = 0x9F;
        } else if (c == 0xF0) {
            trailing = 3, low = 0x90;
        } else if (c >= 0xF1 && c <= 0xF3) {
            trailing = 3;
        } else if (c == 0xF4) {
            trailing = 3, high = 0x8F;
        } else {
            out += kReplacement;
            i++;
            continue;
        }
        size_t j = i + 1;
        int found = 0;
        while (found < trailing && j < text.size() && (unsigned char)text[j] >= low &&
               (unsigned char)text[j] <= high) {
            j++, found++;
            low = 0x80, high = 0xBF;
        }
        if (found == trailing)
            out.append(text, i, j - i);
        else
            out += kReplacement;
        i = j;
    }
    return out;
}

// A random text of arbitrary bytes (never NUL), letters, markup, whole UTF-8
// characters of any plane and characters with bytes missing; mostly short.
// The characters come from a pool drawn once from every plane: FTGL makes a
// glyph for every character code it meets, so an unbounded choice would spend
// a long run making glyphs rather than trying texts.
static std::string RandomBytes(std::mt19937& rng)
{
    static std::vector<unsigned> pool;
    while (pool.size() < 4096)
        pool.push_back(rng() % 0x110000);
    static const char* const tokens[] = {"{C", "{EC}", "}", ",", "{C1,0,0,1}", "%", "%s"};
    unsigned pick = rng() % 20;
    size_t length = pick < 16 ? rng() % 40 : pick < 19 ? rng() % 300 : rng() % 1100;
    std::string text;
    while (text.size() < length) {
        unsigned kind = rng() % 20;
        if (kind < 8) {
            text += (char)(1 + rng() % 255);
        } else if (kind < 11) {
            text += (char)('a' + rng() % 26);
        } else if (kind < 14) {
            text += tokens[rng() % 7];
        } else {
            // A code point, encoded whole, or with its last bytes dropped.
            unsigned c = pool[rng() % pool.size()];
            std::string bytes;
            if (c < 0x80)
                bytes = (char)(c ? c : 1);
            else if (c < 0x800)
                bytes = {(char)(0xC0 | c >> 6), (char)(0x80 | (c & 63))};
            else if (c < 0x10000)
                bytes = {(char)(0xE0 | c >> 12), (char)(0x80 | (c >> 6 & 63)), (char)(0x80 | (c & 63))};
            else
                bytes = {(char)(0xF0 | c >> 18), (char)(0x80 | (c >> 12 & 63)), (char)(0x80 | (c >> 6 & 63)),
                         (char)(0x80 | (c & 63))};
            if (kind >= 18)
                bytes.resize(rng() % bytes.size());
            text += bytes;
        }
    }
    text.resize(length);
    return text;
}

// Every text call with random bytes, in both modes: nothing crashes (the
// sanitizer build checks every access), nothing is written to the text, and
// each measure equals that of the text repaired by the reference above.
// A longer run outside CI sets the number of texts and the seed with
// LF_TEXT_FUZZ_INPUTS and LF_TEXT_FUZZ_SEED, prints only every n-th text with
// LF_TEXT_FUZZ_DRAW_EVERY=n (measuring all), and is told its progress.
TEST_F(Font, TextCallsTakeArbitraryBytes)
{
    const char* inputs = getenv("LF_TEXT_FUZZ_INPUTS");
    const char* seed = getenv("LF_TEXT_FUZZ_SEED");
    const char* drawEvery = getenv("LF_TEXT_FUZZ_DRAW_EVERY");
    long count = inputs ? atol(inputs) : 1500;
    long drawPeriod = drawEvery ? atol(drawEvery) : 1;
    LFFont smooth(kFontPath, LFAntiAliased);
    ASSERT_EQ(-1, smooth.setSize(12));
    ASSERT_EQ(-1, font->setSize(12));
    LFUISetGlobalFont(kFontPath, LFAliased, 12, LFZeroPoint);
    std::mt19937 rng(seed ? (unsigned)atol(seed) : 20240905u);
    long illFormed = 0;
    for (long i = 0; i < count; i++) {
        if (i > 0 && i % 100000 == 0) {
            printf("%ld texts so far\n", i);
            fflush(stdout);
        }
        std::string text = RandomBytes(rng);
        std::string repaired = ReferenceRepair(text);
        illFormed += repaired != text;
        // Exact-size blocks, so the sanitizer sees any read past their ends.
        char* block = (char*)malloc(text.size() + 1);
        ASSERT_NE(nullptr, block);
        memcpy(block, text.c_str(), text.size() + 1);
        std::vector<char> good(repaired.begin(), repaired.end());
        good.push_back('\0');

        bool draw = drawPeriod <= 1 || i % drawPeriod == 0;
        for (LFFont* f : {font, &smooth}) {
            if (draw)
                f->print(LFMakePoint(0, 10), kBlue, Str("%s"), block);
            LFSize measured = f->stringBounds(block, 1);
            LFSize expected = f->stringBounds(good.data(), 1);
            ASSERT_EQ(expected.width, measured.width) << "text " << i;
            ASSERT_EQ(expected.height, measured.height) << "text " << i;
            f->stringBounds(block);
            ASSERT_EQ(f->advance(good.data()), f->advance(block)) << "text " << i;
        }
        LFUIGlobalFontStringBounds(block);
        // The global font's print takes a format: its percent signs are doubled.
        std::string format;
        for (char c : text)
            format += (c == '%') ? "%%" : std::string(1, c);
        if (draw)
            LFUIGlobalFontPrint(LFMakePoint(0, 30), kWhite, Str(format.c_str()));

        ASSERT_EQ(0, memcmp(block, text.c_str(), text.size() + 1)) << "text " << i << " was written to";
        free(block);
        _LFCleanTempStrings();
    }
    EXPECT_GT(illFormed, count / 4) << "most texts are ill-formed";
    printf("%ld texts, %ld of them ill-formed\n", count, illFormed);
}
