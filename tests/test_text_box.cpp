// Text boxes drawn into a real window and read back: wrapped text never
// passes the box's width, a long word breaks between characters, each
// alignment lands where print puts the same lines, colour markup carries
// across breaks, newlines, the bottom of the box, UTF-8 as in print, and
// wrappedSize measuring the same layout.
#include <random>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

// GNU Unifont at size 16: every Latin glyph is 8 pixels wide, lines are 16 apart.
char kFontPath[] = "/usr/share/fonts/opentype/unifont/unifont.otf";
const int kWidth = 200;
const int kHeight = 120;
const LFColor kWhite = {1, 1, 1, 1};

typedef std::vector<Pixel> Frame;

class TextBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(0, LFInit()) << LFError();
        window = new LFWindow(Str("text box"), LFMakeSize(kWidth, kHeight));
        window->setRenderContext();
        glReadBuffer(GL_BACK);
        glClearColor(0, 0, 0, 1);
        font = new LFFont(kFontPath, LFAliased);
        ASSERT_EQ(-1, font->setSize(16));
        ASSERT_EQ(16, font->lineHeight());
    }

    void TearDown() override
    {
        // An LFFont itself: the warning about deleting a subclass does not apply.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdelete-non-virtual-dtor"
        delete font;
#pragma GCC diagnostic pop
        delete window;
        _LFCleanTempStrings();
        LFDeInit();
    }

    // The picture drawn by draw, from a black window, rows from the bottom.
    template <typename Draw>
    Frame drawn(Draw draw)
    {
        glClear(GL_COLOR_BUFFER_BIT);
        draw();
        return ReadFrame(kWidth, kHeight);
    }

    // The picture of each line printed with its top left at (x[i], top + 16 i).
    Frame printed(const std::vector<std::string>& lines, const std::vector<float>& x, float top)
    {
        return drawn([&] {
            for (size_t i = 0; i < lines.size(); i++)
                font->print(LFMakePoint(x[i], top + 16 * i), kWhite, Str(lines[i].c_str()));
        });
    }

    Frame printed(const std::vector<std::string>& lines, float left, float top)
    {
        return printed(lines, std::vector<float>(lines.size(), left), top);
    }

    Frame inBox(LFRect box, LFTextAlign align, const char* text)
    {
        return drawn([&] { font->printInRect(box, align, kWhite, "%s", text); });
    }

    LFWindow* window = nullptr;
    LFFont* font = nullptr;
};

// Seeded words of one to twelve letters, some with an "é" (two bytes, one glyph).
std::string RandomParagraph(std::mt19937& random)
{
    std::string text;
    for (int words = 4 + random() % 14; words > 0; words--) {
        if (!text.empty())
            text += random() % 9 ? " " : random() % 2 ? "  " : "\n";
        for (int letters = 1 + random() % 12; letters > 0; letters--)
            text += random() % 10 ? std::string(1, (char)('a' + random() % 26)) : std::string("\xC3\xA9");
    }
    return text;
}

TEST_F(TextBox, WrappedTextNeverPassesTheBoxWidth)
{
    std::mt19937 random(2022);
    const LFTextAlign aligns[] = {LFAlignLeft, LFAlignCenter, LFAlignRight | LFAlignBottom,
                                  LFAlignCenter | LFAlignMiddle};
    for (int round = 0; round < 60; round++) {
        std::string text = RandomParagraph(random);
        LFRect box = LFMakeRect(10 + random() % 20, 4, 8 + random() % 170, kHeight - 8);
        LFTextAlign align = aligns[round % 4];
        SCOPED_TRACE(text + " in a box " + std::to_string((int)box.size.width) + " wide, aligned " +
                     std::to_string((int)align));
        LFRect ink = BoundsOf(inBox(box, align, text.c_str()), kWidth, kHeight, IsLit);
        ASSERT_GT(ink.size.width, 0) << "nothing drawn";
        EXPECT_GE(ink.origin.x, box.origin.x);
        EXPECT_LE(ink.origin.x + ink.size.width, box.origin.x + box.size.width);
        EXPECT_GE(ink.origin.y, box.origin.y);
        EXPECT_LE(ink.origin.y + ink.size.height, box.origin.y + box.size.height);

        LFSize size = font->wrappedSize(box.size.width, text.c_str());
        EXPECT_LE(size.width, box.size.width);
        EXPECT_EQ(0, (int)size.height % 16);
        if (size.height <= box.size.height && (align & LFAlignBottom) == 0 && (align & LFAlignMiddle) == 0) {
            // Every line drawn: the last one's ink ends in the last line's rows.
            float inkBottom = ink.origin.y + ink.size.height;
            EXPECT_LE(inkBottom, box.origin.y + size.height);
            EXPECT_GT(inkBottom, box.origin.y + size.height - 16);
        }
    }
}

TEST_F(TextBox, AWordWiderThanTheBoxBreaksBetweenCharacters)
{
    LFRect box = LFMakeRect(12, 8, 40, 100);  // five glyphs a line
    EXPECT_EQ(printed({"abcde", "fghij", "klm"}, 12, 8), inBox(box, LFAlignLeft, "abcdefghijklm"));
    EXPECT_TRUE(LFEqualSizes(LFMakeSize(40, 48), font->wrappedSize(40, "abcdefghijklm")));
    EXPECT_EQ(printed({"a", "abcde", "fghij", "klm b"}, 12, 8), inBox(box, LFAlignLeft, "a abcdefghijklm b"));
    // Two-byte characters break whole.
    EXPECT_EQ(printed({"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", "\xC3\xA9"}, 12, 8),
              inBox(box, LFAlignLeft, "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"));
    // A box narrower than a glyph still takes one a line.
    EXPECT_EQ(printed({"a", "b"}, 12, 8), inBox(LFMakeRect(12, 8, 3, 100), LFAlignLeft, "ab"));
}

TEST_F(TextBox, EachAlignmentLandsWhereItShould)
{
    LFRect box = LFMakeRect(20, 10, 160, 100);
    const char* text = "ab\nabcd";  // lines 16 and 32 wide, a block 32 high
    const struct {
        LFTextAlign horizontal;
        float x[2];
    } columns[] = {{LFAlignLeft, {20, 20}}, {LFAlignCenter, {92, 84}}, {LFAlignRight, {164, 148}}};
    const struct {
        LFTextAlign vertical;
        float top;
    } rows[] = {{LFAlignTop, 10}, {LFAlignMiddle, 44}, {LFAlignBottom, 78}};
    for (const auto& column : columns)
        for (const auto& row : rows) {
            SCOPED_TRACE("align " + std::to_string((int)(column.horizontal | row.vertical)));
            EXPECT_EQ(printed({"ab", "abcd"}, {column.x[0], column.x[1]}, row.top),
                      inBox(box, column.horizontal | row.vertical, text));
        }
}

TEST_F(TextBox, ColourMarkupCarriesAcrossLineBreaks)
{
    Frame expected = drawn([&] {
        font->print(LFMakePoint(0, 0), kWhite, Str("{C1,0,0,1}aaa bbb{EC}"));
        font->print(LFMakePoint(0, 16), kWhite, Str("{C1,0,0,1}ccc{EC} ddd"));
    });
    Frame boxed = drawn([&] {
        font->printInRect(LFMakeRect(0, 0, 56, 100), LFAlignLeft, kWhite, "{C1,0,0,1}%s{EC} %s", "aaa bbb ccc",
                          "ddd");
    });
    EXPECT_EQ(expected, boxed);
    int red = 0;
    for (Pixel p : boxed)
        red += IsRed(p);
    EXPECT_GT(red, 50);
}

TEST_F(TextBox, NewlinesBreakAndEmptyLinesKeepTheirHeight)
{
    EXPECT_EQ(printed({"x", "", "y"}, 0, 0), inBox(LFMakeRect(0, 0, 100, 100), LFAlignLeft, "x\n\ny"));
    EXPECT_TRUE(LFEqualSizes(LFMakeSize(8, 48), font->wrappedSize(100, "x\n\ny")));
    EXPECT_TRUE(LFEqualSizes(LFMakeSize(8, 32), font->wrappedSize(100, "x\n")));
    EXPECT_TRUE(LFEqualSizes(LFZeroSize, font->wrappedSize(100, "")));
    EXPECT_TRUE(LFEqualSizes(LFZeroSize, font->wrappedSize(100, NULL)));
    // The spaces at a break are not drawn; those inside a line are.
    EXPECT_EQ(printed({"a  b", "c"}, 0, 0), inBox(LFMakeRect(0, 0, 40, 100), LFAlignLeft, "a  b    c"));
    Frame black = drawn([] {});
    EXPECT_EQ(black, inBox(LFMakeRect(0, 0, 100, 100), LFAlignLeft, ""));
    EXPECT_EQ(black, drawn([&] { font->printInRect(LFMakeRect(0, 0, 100, 100), LFAlignLeft, kWhite, NULL); }));
}

TEST_F(TextBox, LinesPastTheBottomAreNotDrawn)
{
    const char* text = "a\nb\nc\nd";
    EXPECT_EQ(printed({"a", "b"}, 0, 0), inBox(LFMakeRect(0, 0, 50, 40), LFAlignLeft, text));
    EXPECT_EQ(printed({"a", "b"}, 0, 8), inBox(LFMakeRect(0, 0, 50, 40), LFAlignBottom, text));
    EXPECT_EQ(drawn([] {}), inBox(LFMakeRect(0, 0, 50, 15), LFAlignLeft, text));
    // A box exactly as tall as wrappedSize says holds every line.
    LFSize size = font->wrappedSize(50, text);
    EXPECT_EQ(printed({"a", "b", "c", "d"}, 0, 0), inBox(LFMakeRect(0, 0, 50, size.height), LFAlignLeft, text));
}

TEST_F(TextBox, TextThatIsNotUTF8IsRepairedAsPrintRepairsIt)
{
    const char* text = "a\xFF" "b \xC3 c\xE2\x82";
    Frame boxed = inBox(LFMakeRect(0, 0, 200, 100), LFAlignLeft, text);
    EXPECT_EQ(printed({text}, 0, 0), boxed);
    int lit = 0;
    for (Pixel p : boxed)
        lit += IsLit(p);
    EXPECT_GT(lit, 0);
    // Each repair is one replacement character, measured and broken as one.
    float replacement = font->advance(Str("\xEF\xBF\xBD"));
    ASSERT_GT(replacement, 0);
    EXPECT_TRUE(LFEqualSizes(LFMakeSize(replacement, 48), font->wrappedSize(replacement, "\xFF\xFF\xFF")));
}

}  // namespace
