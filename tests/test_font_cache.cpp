// The font cache and the global UI font under two real windows, each with its
// own OpenGL context: entries keyed by path text, requested mode, size and
// window, kept in insertion order and cleared; the global font's two forms,
// their rounding and offsets, drawn and read back; and what the forms without
// a size do once the cache has deleted the font they were using.
#include <math.h>  // ceilf

#include <new>  // std::bad_alloc
#include <vector>

#include "TestSupport.h"

// Internal headers of the library, reached from the tests' directory.
#include "graphics/LFFontCache.h"
#include "gui/LFUIGlobalFontPrivate.h"
#include "system/LFApplicationPrivate.h"

// The game's face: GNU Unifont, whose glyphs sit on a 16-pixel grid.
static char kFontPath[] = "/usr/share/fonts/opentype/unifont/unifont.otf";
// The same file named through its parent directory.
static char kOtherFontPath[] = "/usr/share/fonts/opentype/unifont/../unifont/unifont.otf";
// A face whose only glyphs are a 16-pixel bitmap strike: it refuses other sizes.
static char kBitmapFontPath[] = "/usr/share/fonts/truetype/unifont/unifont_sample.ttf";
static char kMissingFontPath[] = "/nonexistent/missing.ttf";

static const LFColor kWhite = {1, 1, 1, 1};

static void ExpectPoint(LFPoint expected, LFPoint actual, const char* what)
{
    EXPECT_EQ(expected.x, actual.x) << what;
    EXPECT_EQ(expected.y, actual.y) << what;
}

static void ExpectSize(LFSize expected, LFSize actual, const char* what)
{
    EXPECT_EQ(expected.width, actual.width) << what;
    EXPECT_EQ(expected.height, actual.height) << what;
}

// The fixture's window and a second one, each with its own context, with
// the fixture's window current; read-backs of the current window.
class FontCache : public TwoWindowTest {
protected:
    // The second window starts cleared to black, as the first does.
    void openOther() override
    {
        TwoWindowTest::openOther();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    // Ends the library and starts it again with two new windows, the first current.
    void restart()
    {
        shutDown();
        ASSERT_NE(0, LFInit()) << LFError();
        window = new LFWindow(LFTempString("test"), LFMakeSize(kWidth, kHeight));
        openOther();
        window->setRenderContext();
        glReadBuffer(GL_BACK);
    }

    // Deletes the windows and ends the library.
    void shutDown()
    {
        delete other;
        delete window;
        other = nullptr;
        window = nullptr;
        LFDeInit();
    }

    // The cache's entries, in their order.
    static const std::vector<_LFFontCacheItem*>& ItemsOf(_LFFontCache& cache) { return cache._items(); }

    void clear() { glClear(GL_COLOR_BUFFER_BIT); }

    // Which pixels of the current window match, as a mask over the frame.
    std::vector<bool> maskOf(bool (*match)(Pixel))
    {
        std::vector<Pixel> pixels(kWidth * kHeight);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        std::vector<bool> mask;
        for (Pixel p : pixels)
            mask.push_back(match(p));
        return mask;
    }

    int countOf(bool (*match)(Pixel))
    {
        int count = 0;
        for (bool matched : maskOf(match))
            count += matched;
        return count;
    }

};

// ---------------------------------------------------------------------------
// Cache items

TEST_F(FontCache, ItemDefaultConstructionThrowsWithErrorText)
{
    EXPECT_THROW({ _LFFontCacheItem item; }, std::bad_alloc);
    EXPECT_STREQ("Cannot instantiate default _LFFontCacheItem", LFError());
}

TEST_F(FontCache, ItemKeepsItsOwnPathCopyAndTheRequestAsGiven)
{
    char* path = Str(kFontPath);
    int context = 0;
    _LFFontCacheItem item(path, (LFAliasMode)0, 20, &context);
    path[0] = 'X';
    EXPECT_STREQ(kFontPath, item.path());
    EXPECT_NE(path, item.path());
    EXPECT_EQ(0, item.mode());
    EXPECT_EQ(20, item.size());
    EXPECT_EQ(&context, item.context());
    ASSERT_NE(nullptr, item.font());
    EXPECT_EQ(20, item.font()->getSize());
}

TEST_F(FontCache, ItemOfAMissingFileThrowsWithErrorText)
{
    EXPECT_THROW({ _LFFontCacheItem item(kMissingFontPath, LFAliased, 16, window); }, std::bad_alloc);
    EXPECT_STREQ("Unable to load font at path:", LFError());
    EXPECT_THROW({ _LFFontCacheItem item(nullptr, LFAliased, 16, window); }, std::bad_alloc);
}

// ---------------------------------------------------------------------------
// Keys

TEST_F(FontCache, SamePathTextInTwoStringsGivesOneFont)
{
    _LFFontCache cache;
    LFFont* first = cache.fontAtPath(Str(kFontPath), LFAliased, 16);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, cache.fontAtPath(Str(kFontPath), LFAliased, 16));
    EXPECT_EQ(1, cache.numberOfFonts());
    EXPECT_EQ(16, first->getSize());
}

TEST_F(FontCache, AnotherPathTextForTheSameFileIsAnotherEntry)
{
    _LFFontCache cache;
    LFFont* plain = cache.fontAtPath(kFontPath, LFAliased, 16);
    LFFont* roundabout = cache.fontAtPath(kOtherFontPath, LFAliased, 16);
    EXPECT_NE(plain, roundabout);
    EXPECT_EQ(2, cache.numberOfFonts());
}

TEST_F(FontCache, RequestedModeIsTheKeyNotTheModeDrawn)
{
    _LFFontCache cache;
    LFFont* zero = cache.fontAtPath(kFontPath, (LFAliasMode)0, 20);
    LFFont* antiAliased = cache.fontAtPath(kFontPath, LFAntiAliased, 20);
    LFFont* aliased = cache.fontAtPath(kFontPath, LFAliased, 20);
    EXPECT_NE(zero, antiAliased);
    EXPECT_NE(aliased, antiAliased);
    EXPECT_EQ(3, cache.numberOfFonts());
    EXPECT_EQ(0, ItemsOf(cache)[0]->mode());
    EXPECT_EQ(LFAntiAliased, ItemsOf(cache)[1]->mode());
    EXPECT_EQ(zero, cache.fontAtPath(kFontPath, (LFAliasMode)0, 20));

    // Mode 0 and LFAntiAliased both draw smoothed edges.
    for (LFFont* font : {zero, antiAliased}) {
        clear();
        font->print(LFMakePoint(0, 10), kWhite, Str("HiWM"));
        EXPECT_GT(countOf(IsLit), 50);
        EXPECT_GT(countOf(IsPartial), 10);
    }
}

TEST_F(FontCache, SizeIsPartOfTheKey)
{
    _LFFontCache cache;
    LFFont* small = cache.fontAtPath(kFontPath, LFAliased, 12);
    LFFont* large = cache.fontAtPath(kFontPath, LFAliased, 20);
    EXPECT_NE(small, large);
    EXPECT_EQ(12, small->getSize());
    EXPECT_EQ(20, large->getSize());
    EXPECT_EQ(small, cache.fontAtPath(kFontPath, LFAliased, 12));
    EXPECT_EQ(2, cache.numberOfFonts());
}

TEST_F(FontCache, EachWindowGetsItsOwnFont)
{
    _LFFontCache cache;
    LFFont* first = cache.fontAtPath(kFontPath, LFAntiAliased, 16);

    other->setRenderContext();
    LFFont* second = cache.fontAtPath(kFontPath, LFAntiAliased, 16);
    EXPECT_NE(first, second);
    EXPECT_EQ(2, cache.numberOfFonts());
    EXPECT_EQ(second, cache.fontAtPath(kFontPath, LFAntiAliased, 16)) << "reused under the same window";
    second->print(LFMakePoint(0, 10), kWhite, Str("Hi"));
    EXPECT_GT(countOf(IsLit), 20) << "its glyphs live in this window's context";

    window->setRenderContext();
    EXPECT_EQ(first, cache.fontAtPath(kFontPath, LFAntiAliased, 16));
    EXPECT_EQ(2, cache.numberOfFonts());
}

TEST_F(FontCache, TextureSelectedAsTargetDoesNotChangeTheWindowKey)
{
    _LFFontCache cache;
    LFFont* first = cache.fontAtPath(kFontPath, LFAliased, 16);
    LFTexture target(16, 16);
    target.setRenderContext();
    EXPECT_EQ(first, cache.fontAtPath(kFontPath, LFAliased, 16));
    target.unsetRenderContext();
    window->setRenderContext();
}

// ---------------------------------------------------------------------------
// Order, clearing and failure

TEST_F(FontCache, EntriesStayInInsertionOrder)
{
    _LFFontCache cache;
    cache.fontAtPath(kFontPath, LFAliased, 16);
    cache.fontAtPath(kFontPath, LFAliased, 20);
    cache.fontAtPath(kFontPath, LFAntiAliased, 16);
    other->setRenderContext();
    cache.fontAtPath(kFontPath, LFAliased, 16);
    window->setRenderContext();
    cache.fontAtPath(kFontPath, LFAliased, 20);  // found: nothing moves

    const std::vector<_LFFontCacheItem*>& items = ItemsOf(cache);
    ASSERT_EQ(4u, items.size());
    const int sizes[] = {16, 20, 16, 16};
    const int modes[] = {LFAliased, LFAliased, LFAntiAliased, LFAliased};
    const void* contexts[] = {window, window, window, other};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(sizes[i], items[i]->size()) << "entry " << i;
        EXPECT_EQ(modes[i], items[i]->mode()) << "entry " << i;
        EXPECT_EQ(contexts[i], items[i]->context()) << "entry " << i;
        EXPECT_STREQ(kFontPath, items[i]->path()) << "entry " << i;
    }
}

TEST_F(FontCache, ClearDeletesEveryFontAndTheNextRequestLoadsAgain)
{
    _LFFontCache cache;
    cache.fontAtPath(kFontPath, LFAliased, 16);
    cache.fontAtPath(kFontPath, LFAliased, 20);
    cache.clear();
    EXPECT_EQ(0, cache.numberOfFonts());
    EXPECT_TRUE(ItemsOf(cache).empty());

    LFFont* again = cache.fontAtPath(kFontPath, LFAliased, 20);
    ASSERT_NE(nullptr, again);
    EXPECT_EQ(1, cache.numberOfFonts());
    EXPECT_EQ(20, again->getSize());
    again->print(LFMakePoint(0, 10), kWhite, Str("Hi"));
    EXPECT_GT(countOf(IsLit), 20);
}

TEST_F(FontCache, EveryClearAndEveryCacheHasItsOwnGeneration)
{
    _LFFontCache cache;
    unsigned long before = cache.generation();
    cache.clear();
    unsigned long after = cache.generation();
    EXPECT_NE(before, after);
    _LFFontCache another;
    EXPECT_NE(before, another.generation());
    EXPECT_NE(after, another.generation());
    EXPECT_EQ(after, cache.generation()) << "requests do not change it";
}

TEST_F(FontCache, FontThatCannotBeMadeGivesNullAndAddsNothing)
{
    _LFFontCache cache;
    EXPECT_EQ(nullptr, cache.fontAtPath(kMissingFontPath, LFAliased, 16));
    EXPECT_STREQ("Unable to load font and add it to the global cache.", LFError());
    EXPECT_EQ(nullptr, cache.fontAtPath(nullptr, LFAliased, 16));
    EXPECT_EQ(0, cache.numberOfFonts());
}

TEST_F(FontCache, RefusedSizeIsStillFiledUnderTheRequestedSize)
{
    _LFFontCache cache;
    _LFSetError("%s", "");
    LFFont* font = cache.fontAtPath(kBitmapFontPath, LFAliased, 20);
    ASSERT_NE(nullptr, font);
    EXPECT_STREQ("Unable to set font face size", LFError());
    EXPECT_EQ(0, font->getSize()) << "it also refused its first size";
    EXPECT_EQ(20, ItemsOf(cache)[0]->size());
    EXPECT_EQ(font, cache.fontAtPath(kBitmapFontPath, LFAliased, 20));
    EXPECT_EQ(1, cache.numberOfFonts());
}

TEST_F(FontCache, GlobalCacheIsClearedAndCountedThroughTheLibrary)
{
    EXPECT_EQ(0, LFGUIFontCacheSize());
    _LFGlobalFontCache->fontAtPath(kFontPath, LFAliased, 16);
    _LFGlobalFontCache->fontAtPath(kFontPath, LFAliased, 20);
    EXPECT_EQ(2, LFGUIFontCacheSize());
    LFClearGUIFontCache();
    EXPECT_EQ(0, LFGUIFontCacheSize());
}

// ---------------------------------------------------------------------------
// The global UI font

// The same windows, for the global font's tests.
class GlobalFont : public FontCache {};

TEST_F(GlobalFont, NothingIsDrawnOrMeasuredBeforeAFontIsSet)
{
    EXPECT_EQ(0, LFUIGlobalFontLineHeight());
    EXPECT_EQ(0, LFUIGlobalFontLineHeight(16));
    EXPECT_EQ(0, LFUIGlobalFontDescender());
    EXPECT_EQ(0, LFUIGlobalFontDescender(16));
    ExpectSize(LFZeroSize, LFUIGlobalFontStringBounds(Str("Hi")), "bounds");
    ExpectSize(LFZeroSize, LFUIGlobalFontStringBounds(16, Str("Hi")), "bounds at 16");
    ExpectPoint(LFZeroPoint, LFUIGlobalFontRenderingOffset(), "offset");
    ExpectPoint(LFZeroPoint, LFUIGlobalFontRenderingOffset(16), "offset at 16");
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, Str("Hi"));
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, 16, Str("Hi"));
    EXPECT_EQ(0, countOf(IsLit));
    EXPECT_EQ(0, LFGUIFontCacheSize());
}

TEST_F(GlobalFont, SetFetchesTheFontAtItsSizeFromTheCache)
{
    EXPECT_EQ(-1, LFUISetGlobalFont(Str(kFontPath), LFAliased, 16, LFZeroPoint));
    EXPECT_EQ(1, LFGUIFontCacheSize());
    EXPECT_STREQ(kFontPath, _LFUIGlobalFontPath);
    EXPECT_EQ(_LFGlobalFontCache->fontAtPath(kFontPath, LFAliased, 16), _LFUIGlobalFont);
    EXPECT_EQ(16, LFUIGlobalFontLineHeight());
    EXPECT_EQ(1, LFGUIFontCacheSize());
}

TEST_F(GlobalFont, FontThatCannotBeMadeStillReturnsTrueAndMeasuresZero)
{
    EXPECT_EQ(-1, LFUISetGlobalFont(kMissingFontPath, LFAliased, 16, LFMakePoint(1, 2)));
    EXPECT_STREQ("Unable to load font and add it to the global cache.", LFError());
    EXPECT_EQ(nullptr, _LFUIGlobalFont);
    EXPECT_EQ(0, LFUIGlobalFontLineHeight());
    EXPECT_EQ(0, LFUIGlobalFontLineHeight(20));
    ExpectPoint(LFZeroPoint, LFUIGlobalFontRenderingOffset(), "offset");
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, Str("Hi"));
    EXPECT_EQ(0, countOf(IsLit));
    EXPECT_EQ(0, LFGUIFontCacheSize());

    EXPECT_EQ(-1, LFUISetGlobalFont(kFontPath, LFAliased, 16, LFZeroPoint));
    EXPECT_EQ(16, LFUIGlobalFontLineHeight());
}

TEST_F(GlobalFont, SetWithItsOwnPathKeepsThePath)
{
    LFUISetGlobalFont(kFontPath, LFAliased, 16, LFZeroPoint);
    LFUISetGlobalFont(_LFUIGlobalFontPath, LFAliased, 20, LFZeroPoint);
    EXPECT_STREQ(kFontPath, _LFUIGlobalFontPath);
    EXPECT_EQ(20, LFUIGlobalFontLineHeight());
}

TEST_F(GlobalFont, FormsWithoutSizeUseTheSetSizeAndFormsWithSizeAnySize)
{
    LFUISetGlobalFont(kFontPath, LFAliased, 16, LFZeroPoint);
    EXPECT_EQ(16, LFUIGlobalFontLineHeight());
    EXPECT_EQ(32, LFUIGlobalFontLineHeight(32));
    EXPECT_EQ(-2, LFUIGlobalFontDescender());
    EXPECT_EQ(-4, LFUIGlobalFontDescender(32));
    ExpectSize(LFMakeSize(22, 13), LFUIGlobalFontStringBounds(Str("Hig")), "bounds");
    ExpectSize(LFMakeSize(44, 26), LFUIGlobalFontStringBounds(32, Str("Hig")), "bounds at 32");
    EXPECT_EQ(2, LFGUIFontCacheSize()) << "one font per size";
    EXPECT_EQ(16, LFUIGlobalFontLineHeight(16));
    EXPECT_EQ(2, LFGUIFontCacheSize());
}

TEST_F(GlobalFont, BoundsIgnoreColourEscapes)
{
    LFUISetGlobalFont(kFontPath, LFAliased, 16, LFZeroPoint);
    ExpectSize(LFUIGlobalFontStringBounds(Str("Hi")), LFUIGlobalFontStringBounds(Str("{C1,0,0,1}Hi{EC}")), "Hi");
    ExpectSize(LFUIGlobalFontStringBounds(8, Str("Hi")), LFUIGlobalFontStringBounds(8, Str("{C1,0,0,1}Hi{EC}")),
               "Hi at 8");
}

// ---------------------------------------------------------------------------
// Rounding

TEST_F(GlobalFont, RoundingGoesUpToWholePixelsSoNegativeValuesGoTowardZero)
{
    ExpectSize(LFMakeSize(11, 11), _LFUIRoundUp(LFMakeSize(10.2f, 11.0f)), "10.2 x 11.0");
    EXPECT_EQ(-2, _LFUIRoundUp(-2.7f));
    EXPECT_EQ(13, _LFUIRoundUp(12.1f));
    EXPECT_EQ(12, _LFUIRoundUp(12.0f));
    EXPECT_EQ(0, _LFUIRoundUp(-0.5f));
}

TEST_F(GlobalFont, MeasuresOfARealFaceAreRoundedUp)
{
    LFUISetGlobalFont(kFontPath, LFAliased, 21, LFZeroPoint);
    // The same face measured directly: FreeType grid-fits the line height
    // and descender, while the bounding box keeps its fractions.
    LFFont reference(kFontPath, LFAliased);
    for (int size : {8, 21}) {
        ASSERT_EQ(-1, reference.setSize(size));
        LFSize exact = reference.stringBounds(Str("Hig"));
        LFSize rounded = LFMakeSize(ceilf(exact.width), ceilf(exact.height));
        ExpectSize(rounded, LFUIGlobalFontStringBounds(size, Str("Hig")), "bounds with size");
        EXPECT_EQ((int)ceilf(reference.lineHeight()), LFUIGlobalFontLineHeight(size)) << size;
        EXPECT_EQ((int)ceilf(reference.descender()), LFUIGlobalFontDescender(size)) << size;
        if (size == 21) {
            EXPECT_NE(exact.width, rounded.width) << "the premise: a fractional box";
            ExpectSize(rounded, LFUIGlobalFontStringBounds(Str("Hig")), "bounds without size");
        }
    }
    // At size 8 the box is 11 x 6.5: a whole width stays as it is.
    ExpectSize(LFMakeSize(11, 7), LFUIGlobalFontStringBounds(8, Str("Hig")), "11 x 6.5");
}

// ---------------------------------------------------------------------------
// Offsets

TEST_F(GlobalFont, OffsetIsRegisteredForEverySize)
{
    LFUISetGlobalFont(kFontPath, LFAliased, 32, LFMakePoint(1, 2));
    ExpectPoint(LFMakePoint(1, 2), LFUIGlobalFontRenderingOffset(), "set size");
    ExpectPoint(LFMakePoint(1, 2), LFUIGlobalFontRenderingOffset(20), "size 20");
    ExpectPoint(LFMakePoint(1, 2), _LFGlobalFontCache->fontAtPath(kFontPath, LFAliased, 20)->renderingOffsetForSize(20),
                "stored in the size-20 font");
}

TEST_F(GlobalFont, EveryFetchStoresTheCurrentGlobalOffset)
{
    LFUISetGlobalFont(kFontPath, LFAliased, 32, LFMakePoint(1, 2));
    LFFont* twenty = _LFUIGlobalFontWithSize(20);
    twenty->setRenderingOffsetForSize(20, LFMakePoint(9, 9));
    ExpectPoint(LFMakePoint(1, 2), LFUIGlobalFontRenderingOffset(20), "overwritten by the fetch");

    LFUISetGlobalFont(kFontPath, LFAliased, 32, LFMakePoint(3, 4));
    ExpectPoint(LFMakePoint(3, 4), LFUIGlobalFontRenderingOffset(), "set size");
    ExpectPoint(LFMakePoint(1, 2), twenty->renderingOffsetForSize(20), "not fetched since");
    ExpectPoint(LFMakePoint(3, 4), LFUIGlobalFontRenderingOffset(20), "fetched again");
}

TEST_F(GlobalFont, PrintMovesTextByTheOffset)
{
    LFFont reference(kFontPath, LFAliased);
    ASSERT_EQ(-1, reference.setSize(16));
    reference.print(LFMakePoint(8, 15), kWhite, Str("H"));
    std::vector<bool> expected = maskOf(IsLit);
    ASSERT_GT(countOf(IsLit), 20);

    LFUISetGlobalFont(kFontPath, LFAliased, 16, LFMakePoint(3, 5));
    clear();
    LFUIGlobalFontPrint(LFMakePoint(5, 10), kWhite, Str("H"));
    EXPECT_EQ(expected, maskOf(IsLit)) << "without size";
    clear();
    LFUIGlobalFontPrint(LFMakePoint(5, 10), kWhite, 16, Str("H"));
    EXPECT_EQ(expected, maskOf(IsLit)) << "with size";
}

// ---------------------------------------------------------------------------
// Printing

TEST_F(GlobalFont, PrintWithoutSizeDrawsAtTheSetSize)
{
    LFUISetGlobalFont(kFontPath, LFAliased, 16, LFZeroPoint);
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, 16, Str("Hi"));
    std::vector<bool> sixteen = maskOf(IsLit);
    ASSERT_GT(countOf(IsLit), 20);

    clear();
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, Str("Hi"));
    EXPECT_EQ(sixteen, maskOf(IsLit));
    clear();
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, 8, Str("Hi"));
    EXPECT_NE(sixteen, maskOf(IsLit));
    EXPECT_GT(countOf(IsLit), 5);
}

TEST_F(GlobalFont, PrintTakesTheTextAsAFormatWithColourEscapes)
{
    LFUISetGlobalFont(kFontPath, LFAliased, 16, LFZeroPoint);
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, Str("{C1,0,0,1}Hi{EC}"));
    EXPECT_GT(countOf(IsRed), 20);
    EXPECT_EQ(countOf(IsLit), countOf(IsRed));

    clear();
    _LFUIGlobalFont->print(LFMakePoint(0, 10), kWhite, Str("%s"), "5%");
    std::vector<bool> percent = maskOf(IsLit);
    clear();
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, Str("5%%"));
    EXPECT_EQ(percent, maskOf(IsLit));
}

// ---------------------------------------------------------------------------
// Windows

TEST_F(GlobalFont, FormsWithoutSizeKeepTheWindowOfTheSetCall)
{
    LFUISetGlobalFont(kFontPath, LFAntiAliased, 16, LFZeroPoint);
    LFFont* setFont = _LFUIGlobalFont;

    other->setRenderContext();
    EXPECT_EQ(16, LFUIGlobalFontLineHeight());
    EXPECT_EQ(1, LFGUIFontCacheSize()) << "no fetch without a size";
    EXPECT_EQ(16, LFUIGlobalFontLineHeight(16));
    EXPECT_EQ(2, LFGUIFontCacheSize()) << "a fetch with a size, for this window";
    EXPECT_NE(setFont, _LFUIGlobalFontWithSize(16));
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, 16, Str("Hi"));
    EXPECT_GT(countOf(IsLit), 20);
    EXPECT_EQ(setFont, _LFUIGlobalFont);
}

// The window the global font was fetched for is deleted and a new one made
// at the same address: the font made in the deleted context has no glyphs in
// the new one and is never handed out.
TEST_F(GlobalFont, AfterItsWindowIsDeletedTheFontIsFetchedForTheWindowCurrentThen)
{
    LFUISetGlobalFont(kFontPath, LFAliased, 16, LFZeroPoint);
    LFFont* setFont = _LFUIGlobalFont;
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, Str("Hi"));
    std::vector<bool> before = maskOf(IsLit);
    ASSERT_GT(countOf(IsLit), 20);

    // The new window is made in the deleted one's storage, at its address.
    LFWindow* storage = window;
    window->~LFWindow();
    window = new (storage) LFWindow(LFTempString("test"), LFMakeSize(kWidth, kHeight));
    EXPECT_NE(setFont, _LFGlobalFontCache->fontAtPath(kFontPath, LFAliased, 16)) << "not even before it is selected";

    window->setRenderContext();
    glReadBuffer(GL_BACK);
    glClearColor(0, 0, 0, 1);
    clear();
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, Str("Hi"));
    EXPECT_EQ(before, maskOf(IsLit));
    EXPECT_NE(setFont, _LFUIGlobalFont);
    EXPECT_EQ(_LFUIGlobalFont, _LFUIGlobalFontWithSize(16)) << "the new window's font, from the cache";
    EXPECT_EQ(3, LFGUIFontCacheSize()) << "the deleted window's, the one made before selecting, the new window's";
    clear();
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, 16, Str("Hi"));
    EXPECT_EQ(before, maskOf(IsLit));
}

// ---------------------------------------------------------------------------
// After the cache has deleted the global font

TEST_F(GlobalFont, AfterClearingTheCacheFormsWithoutSizeFetchTheFontAgain)
{
    LFUISetGlobalFont(kFontPath, LFAliased, 16, LFMakePoint(1, 2));
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, Str("Hi"));
    std::vector<bool> before = maskOf(IsLit);
    ASSERT_GT(countOf(IsLit), 20);

    LFClearGUIFontCache();
    ASSERT_EQ(0, LFGUIFontCacheSize());
    clear();
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, Str("Hi"));
    EXPECT_EQ(before, maskOf(IsLit));
    EXPECT_EQ(1, LFGUIFontCacheSize()) << "fetched once, at the set size";
    EXPECT_EQ(16, LFUIGlobalFontLineHeight());
    ExpectPoint(LFMakePoint(1, 2), LFUIGlobalFontRenderingOffset(), "offset");

    // Each form on its own right after a clear.
    LFClearGUIFontCache();
    EXPECT_EQ(-2, LFUIGlobalFontDescender());
    LFClearGUIFontCache();
    ExpectSize(LFMakeSize(22, 13), LFUIGlobalFontStringBounds(Str("Hig")), "bounds");
    LFClearGUIFontCache();
    ExpectPoint(LFMakePoint(1, 2), LFUIGlobalFontRenderingOffset(), "offset");
    LFClearGUIFontCache();
    EXPECT_EQ(16, LFUIGlobalFontLineHeight());
    EXPECT_EQ(1, LFGUIFontCacheSize());
}

TEST_F(GlobalFont, AfterClearingTheCacheTheFontIsFetchedForTheWindowCurrentThen)
{
    LFUISetGlobalFont(kFontPath, LFAntiAliased, 16, LFZeroPoint);
    other->setRenderContext();
    LFClearGUIFontCache();
    EXPECT_EQ(16, LFUIGlobalFontLineHeight());
    EXPECT_EQ(_LFUIGlobalFont, _LFUIGlobalFontWithSize(16));
    EXPECT_EQ(1, LFGUIFontCacheSize());
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, Str("Hi"));
    EXPECT_GT(countOf(IsLit), 20);
}

TEST_F(GlobalFont, AfterDeInitFormsWithoutSizeDrawNothingUntilSetAgain)
{
    LFUISetGlobalFont(kFontPath, LFAliased, 16, LFMakePoint(1, 2));
    ASSERT_EQ(16, LFUIGlobalFontLineHeight());

    shutDown();
    EXPECT_EQ(nullptr, _LFUIGlobalFontPath);
    EXPECT_EQ(0, LFUIGlobalFontLineHeight());
    EXPECT_EQ(0, LFUIGlobalFontDescender());
    ExpectSize(LFZeroSize, LFUIGlobalFontStringBounds(Str("Hi")), "bounds");
    ExpectPoint(LFZeroPoint, LFUIGlobalFontRenderingOffset(), "offset");
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, Str("Hi"));

    restart();
    EXPECT_EQ(0, LFUIGlobalFontLineHeight());
    EXPECT_EQ(0, LFUIGlobalFontLineHeight(16));
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, Str("Hi"));
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, 16, Str("Hi"));
    EXPECT_EQ(0, countOf(IsLit));
    EXPECT_EQ(0, LFGUIFontCacheSize());

    LFUISetGlobalFont(kFontPath, LFAliased, 16, LFZeroPoint);
    LFUIGlobalFontPrint(LFMakePoint(0, 10), kWhite, Str("Hi"));
    EXPECT_GT(countOf(IsLit), 20);
}

TEST_F(GlobalFont, FontThatCouldNotBeMadeIsTriedAgainOnlyAfterAClear)
{
    LFUISetGlobalFont(kMissingFontPath, LFAliased, 16, LFZeroPoint);
    _LFSetError("%s", "");
    EXPECT_EQ(0, LFUIGlobalFontLineHeight());
    EXPECT_STREQ("", LFError()) << "not tried again";
    LFClearGUIFontCache();
    EXPECT_EQ(0, LFUIGlobalFontLineHeight());
    EXPECT_STREQ("Unable to load font and add it to the global cache.", LFError()) << "tried once more";
    EXPECT_EQ(0, LFGUIFontCacheSize());
}
