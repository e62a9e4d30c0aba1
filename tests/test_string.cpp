// Tests of the temporary strings: printf formatting, the 1023-character
// limit, the pool that every tick empties, and the raw block maker.
#include <stdlib.h>  // free
#include <string.h>  // strlen

#include <string>

#include <gtest/gtest.h>

#include "Larchfield/LFString.h"
#include "string/LFStringPrivate.h"

// An empty format, held in a variable so the compiler does not flag it.
static const char* emptyFormat = "";

// Each test starts and ends with an empty pool, so nothing leaks.
class TempString : public ::testing::Test {
protected:
    void SetUp() override { _LFCleanTempStrings(); }
    void TearDown() override { _LFCleanTempStrings(); }
};

TEST_F(TempString, FormatsLikePrintf)
{
    EXPECT_STREQ("7-ab-1.50-x", LFTempString("%d-%s-%.2f-%c", 7, "ab", 1.5, 'x'));
    EXPECT_STREQ("100%", LFTempString("100%%"));
    EXPECT_STREQ("data/leaf.png", LFTempString("data/leaf.png"));
}

TEST_F(TempString, EmptyFormatGivesPooledEmptyString)
{
    char* text = LFTempString(emptyFormat);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ('\0', text[0]);
    EXPECT_EQ(1, _LFTempStringCount());
}

TEST_F(TempString, NullFormatGivesNullAndRecordsNothing)
{
    const char* noFormat = nullptr;
    EXPECT_EQ(nullptr, LFTempString(noFormat));
    EXPECT_EQ(0, _LFTempStringCount());
}

TEST_F(TempString, TextOfExactly1023CharactersIsKeptWhole)
{
    std::string text(1023, 'a');
    text[0] = 'b';
    text[1022] = 'z';
    char* result = LFTempString("%s", text.c_str());
    ASSERT_NE(nullptr, result);
    EXPECT_EQ(1023u, strlen(result));
    EXPECT_EQ(text, result);
}

TEST_F(TempString, LongerTextIsCutToFirst1023Characters)
{
    for (size_t length : {1024u, 1025u, 5000u}) {
        std::string text;
        for (size_t i = 0; i < length; i++)
            text += (char)('a' + i % 26);
        char* result = LFTempString("%s", text.c_str());
        ASSERT_NE(nullptr, result);
        EXPECT_EQ(1023u, strlen(result)) << length;
        EXPECT_EQ(text.substr(0, 1023), result) << length;
    }
    // Formatting itself, not just a long argument, is cut the same way.
    char* padded = LFTempString("%2000d", 42);
    ASSERT_NE(nullptr, padded);
    EXPECT_EQ(1023u, strlen(padded));
    EXPECT_EQ(std::string(1023, ' '), padded);
}

TEST_F(TempString, SameTextGivesDistinctPooledBlocks)
{
    char* first = LFTempString("same");
    char* second = LFTempString("same");
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_NE(first, second);
    EXPECT_STREQ("same", first);
    EXPECT_STREQ("same", second);
    EXPECT_EQ(2, _LFTempStringCount());
}

TEST_F(TempString, StringsStayValidUntilThePoolIsCleaned)
{
    const int count = 500;
    char* strings[count];
    for (int i = 0; i < count; i++)
        strings[i] = LFTempString("string %d", i);
    EXPECT_EQ(count, _LFTempStringCount());
    for (int i = 0; i < count; i++)
        EXPECT_EQ("string " + std::to_string(i), strings[i]);
}

TEST_F(TempString, CleaningEmptiesThePoolAndRepeatsHarmlessly)
{
    LFTempString("one");
    LFTempString("two %d", 2);
    LFTempString(emptyFormat);
    EXPECT_EQ(3, _LFTempStringCount());
    _LFCleanTempStrings();
    EXPECT_EQ(0, _LFTempStringCount());
    _LFCleanTempStrings();
    EXPECT_EQ(0, _LFTempStringCount());
    // The pool takes new strings after being emptied.
    EXPECT_STREQ("again", LFTempString("again"));
    EXPECT_EQ(1, _LFTempStringCount());
}

TEST(MakeString, RejectsLengthsBelowOne)
{
    EXPECT_EQ(nullptr, _LFMakeString(0));
    EXPECT_EQ(nullptr, _LFMakeString(-5));
    EXPECT_EQ(nullptr, _LFMakeString(-2147483647 - 1));
}

TEST(MakeString, GivesUnpooledEmptyString)
{
    _LFCleanTempStrings();
    char* one = _LFMakeString(1);
    ASSERT_NE(nullptr, one);
    EXPECT_STREQ("", one);
    char* larger = _LFMakeString(64);
    ASSERT_NE(nullptr, larger);
    EXPECT_STREQ("", larger);
    EXPECT_EQ(0, _LFTempStringCount());
    free(one);
    free(larger);
}

// Strings still pooled when the process exits go with the pool; under the
// sanitizer build LeakSanitizer checks this at exit.
TEST(TempStringPool, StringsLeftAtExitAreReleased)
{
    ASSERT_NE(nullptr, LFTempString("left for the exit %d", 1));
    ASSERT_NE(nullptr, LFTempString("and another"));
    EXPECT_EQ(2, _LFTempStringCount());
}
