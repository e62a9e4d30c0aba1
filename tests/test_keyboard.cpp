// Keyboard state: the SDL key mapping, held and once-per-press queries, the
// key-up latch clearing, delayed repeat and key names. Keys are driven through
// the event pump's entry points directly; no SDL events are involved.
#include <string>

#include "TestSupport.h"
#include "input/LFKeyboardPrivate.h"
#include "timing/LFLogicTimingPrivate.h"

namespace {

// One row of the key mapping: an SDL key symbol, its library code and name.
struct KeyRow {
    int sdlKey;
    int code;
    const char* name;
};

// Every SDL key symbol the library maps, written out independently of the
// library's own tables.
const KeyRow kMappedKeys[] = {
    {SDLK_a, 1, "A"}, {SDLK_b, 2, "B"}, {SDLK_c, 3, "C"}, {SDLK_d, 4, "D"},
    {SDLK_e, 5, "E"}, {SDLK_f, 6, "F"}, {SDLK_g, 7, "G"}, {SDLK_h, 8, "H"},
    {SDLK_i, 9, "I"}, {SDLK_j, 10, "J"}, {SDLK_k, 11, "K"}, {SDLK_l, 12, "L"},
    {SDLK_m, 13, "M"}, {SDLK_n, 14, "N"}, {SDLK_o, 15, "O"}, {SDLK_p, 16, "P"},
    {SDLK_q, 17, "Q"}, {SDLK_r, 18, "R"}, {SDLK_s, 19, "S"}, {SDLK_t, 20, "T"},
    {SDLK_u, 21, "U"}, {SDLK_v, 22, "V"}, {SDLK_w, 23, "W"}, {SDLK_x, 24, "X"},
    {SDLK_y, 25, "Y"}, {SDLK_z, 26, "Z"},
    {SDLK_RETURN, 53, "Return"},
    {SDLK_TAB, 54, "Tab"},
    {SDLK_DELETE, 55, "Delete"},
    {SDLK_BACKSPACE, 56, "Backspace"},
    {SDLK_QUOTE, 57, "\""},
    {SDLK_COMMA, 58, ","},
    {SDLK_MINUS, 59, "-"},
    {SDLK_PERIOD, 60, "."},
    {SDLK_SLASH, 61, "/"},
    {SDLK_BACKSLASH, 62, "\\"},
    {SDLK_COLON, 63, ":"},
    {SDLK_SEMICOLON, 64, ":"},
    {SDLK_LEFTPAREN, 65, "("},
    {SDLK_RIGHTPAREN, 66, ")"},
    {SDLK_LEFTBRACKET, 67, "["},
    {SDLK_RIGHTBRACKET, 68, "]"},
    {SDLK_ESCAPE, 69, "Escape"},
    {SDLK_BACKQUOTE, 70, "`"},
    {SDLK_0, 71, "0"}, {SDLK_1, 72, "1"}, {SDLK_2, 73, "2"},
    {SDLK_3, 74, "3"}, {SDLK_4, 75, "4"}, {SDLK_5, 76, "5"},
    {SDLK_6, 78, "6"}, {SDLK_7, 79, "7"}, {SDLK_8, 80, "8"}, {SDLK_9, 81, "9"},
    {SDLK_KP_0, 82, "0"}, {SDLK_KP_1, 83, "1"}, {SDLK_KP_2, 84, "2"},
    {SDLK_KP_3, 85, "3"}, {SDLK_KP_4, 86, "4"}, {SDLK_KP_5, 87, "5"},
    {SDLK_KP_6, 88, "6"}, {SDLK_KP_7, 89, "7"}, {SDLK_KP_8, 90, "8"},
    {SDLK_KP_9, 91, "9"},
    {SDLK_KP_PERIOD, 92, "Num Pad ."},
    {SDLK_KP_DIVIDE, 93, "Num Pad /"},
    {SDLK_KP_MULTIPLY, 94, "Num Pad *"},
    {SDLK_KP_MINUS, 95, "Num Pad -"},
    {SDLK_KP_PLUS, 96, "Num Pad +"},
    {SDLK_KP_ENTER, 97, "Num Pad Enter"},
    {SDLK_KP_EQUALS, 98, "Num Pad ="},
    {SDLK_UP, 99, "Up"},
    {SDLK_RIGHT, 100, "Right"},
    {SDLK_LEFT, 101, "Left"},
    {SDLK_DOWN, 102, "Down"},
    {SDLK_HOME, 103, "Home"},
    {SDLK_END, 104, "End"},
    {SDLK_PAGEUP, 105, "Page Up"},
    {SDLK_PAGEDOWN, 106, "Page Down"},
    {SDLK_F1, 107, "F1"}, {SDLK_F2, 108, "F2"}, {SDLK_F3, 109, "F3"},
    {SDLK_F4, 110, "F4"}, {SDLK_F5, 111, "F5"}, {SDLK_F6, 112, "F6"},
    {SDLK_F7, 113, "F7"}, {SDLK_F8, 114, "F8"}, {SDLK_F9, 115, "F9"},
    {SDLK_F10, 116, "F10"}, {SDLK_F11, 117, "F11"}, {SDLK_F12, 118, "F12"},
    {SDLK_F13, 119, "F13"}, {SDLK_F14, 120, "F14"}, {SDLK_F15, 121, "F15"},
    {SDLK_LSHIFT, 122, "Left Shift"},
    {SDLK_RSHIFT, 123, "Right Shift"},
    {SDLK_LALT, 124, "Left Alt"},
    {SDLK_RALT, 125, "Right Alt"},
    {SDLK_NUMLOCKCLEAR, 126, "Num Lock"},
    {SDLK_CAPSLOCK, 127, "Caps Lock"},
    {SDLK_SCROLLLOCK, 128, "Scroll Lock"},
    {SDLK_RGUI, 131, "Right Winkey"},
    {SDLK_LGUI, 132, "Left Winkey"},
    {SDLK_SPACE, 133, "Space"},
    {SDLK_EQUALS, 134, "="},
    {SDLK_LCTRL, 135, "Left Control"},
    {SDLK_RCTRL, 136, "Right Control"},
};

// Codes that have a name but no SDL key symbol.
const KeyRow kUnmappedNamedCodes[] = {
    {0, 129, "Left Super"},
    {0, 130, "Right Super"},
};

const Uint32 kNever = 0x7fffffff;

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        _LFInitKeys();
        LFSetLogicInterval(60);
        _LFLogicCurrentTime = 5000;
    }

    // Advances logic time by one cycle, as the next tick would see it.
    void nextTick() { _LFLogicCurrentTime += _LFLogicTimeRequiredPerLogicCycle; }
};

TEST_F(Keyboard, InitClearsEveryTable)
{
    _LFKeys[5] = -1;
    _LFKeysDown[5] = -1;
    _LFKeysDownTime[5] = 17;
    _LFKeysTextEntryDown[5] = -1;
    _LFInitKeys();
    for (int code = 0; code < _LFKeyCount; code++) {
        EXPECT_EQ(0, _LFKeys[code]) << code;
        EXPECT_EQ(0, _LFKeysDown[code]) << code;
        EXPECT_EQ(kNever, _LFKeysDownTime[code]) << code;
        EXPECT_EQ(0, _LFKeysTextEntryDown[code]) << code;
    }
}

TEST_F(Keyboard, UnsetKeysReleasesHeldKeysAndLatches)
{
    _LFSetKey(SDLK_SPACE);
    ASSERT_NE(0, LFKey(LFKeySpace, -1));
    ASSERT_NE(0, _LFKeyTextEntry(LFKeySpace, -1));
    LFUnsetKeys();
    EXPECT_EQ(0, LFKey(LFKeySpace));
    EXPECT_EQ(0, _LFKeysDown[LFKeySpace]);
    EXPECT_EQ(0, _LFKeysTextEntryDown[LFKeySpace]);
    EXPECT_EQ(kNever, _LFKeysDownTime[LFKeySpace]);
    EXPECT_EQ(0, LFKeyPressed());
}

TEST_F(Keyboard, EverySDLKeyMapsToItsCode)
{
    for (const KeyRow& row : kMappedKeys) {
        _LFInitKeys();
        _LFSetKey(row.sdlKey);
        EXPECT_EQ(row.code, LFKeyPressed()) << row.name;
        EXPECT_EQ(-1, LFKey(row.code)) << row.name;
        _LFUnsetKey(row.sdlKey);
        EXPECT_EQ(0, LFKey(row.code)) << row.name;
    }
}

TEST_F(Keyboard, UnmappedSDLKeysAreIgnored)
{
    const int unmapped[] = {SDLK_UNKNOWN, SDLK_AT, SDLK_CARET, SDLK_UNDERSCORE,
                            SDLK_F16, SDLK_MENU, SDLK_KP_COMMA, SDLK_PRINTSCREEN,
                            SDLK_INSERT, SDLK_MODE, 1000};
    for (int sdlKey : unmapped) {
        _LFSetKey(sdlKey);
        EXPECT_EQ(0, LFKeyPressed()) << sdlKey;
        _LFSetKeyToValue(sdlKey, -1);
        EXPECT_EQ(0, LFKeyPressed()) << sdlKey;
    }
    for (int code = 0; code < _LFKeyCount; code++)
        EXPECT_EQ(0, _LFKeys[code]) << code;
}

TEST_F(Keyboard, SetKeyToValueStoresTheValue)
{
    _LFSetKeyToValue(SDLK_q, 7);
    EXPECT_EQ(7, _LFKeys[LFKeyQ]);
    _LFSetKeyToValue(SDLK_q, 0);
    EXPECT_EQ(0, _LFKeys[LFKeyQ]);
}

TEST_F(Keyboard, SemicolonAndApostropheCodesAndNames)
{
    _LFSetKey(SDLK_SEMICOLON);
    EXPECT_EQ(64, LFKeyPressed());
    EXPECT_STREQ(":", LFKeyToString(LFKeyPressed()));
    _LFUnsetKey(SDLK_SEMICOLON);
    _LFSetKey(SDLK_QUOTE);
    EXPECT_EQ(57, LFKeyPressed());
    EXPECT_STREQ("\"", LFKeyToString(LFKeyPressed()));
}

TEST_F(Keyboard, NamedConstantsMatchTheirCodes)
{
    EXPECT_EQ(69, LFKeyEscape);
    EXPECT_EQ(133, LFKeySpace);
    EXPECT_EQ(101, LFKeyLeft);
    EXPECT_EQ(100, LFKeyRight);
    EXPECT_EQ(99, LFKeyUp);
    EXPECT_EQ(102, LFKeyDown);
    EXPECT_EQ(1, LFKeyA);
    EXPECT_EQ(26, LFKeyZ);
    EXPECT_EQ(77, LFKey5 + 1);
    EXPECT_EQ(121, LFKeyF15);
    EXPECT_EQ(137, _LFKeyCount);
}

TEST_F(Keyboard, HeldQueryFollowsKeyDownAndUp)
{
    EXPECT_EQ(0, LFKey(LFKeyRight));
    _LFSetKey(SDLK_RIGHT);
    EXPECT_EQ(-1, LFKey(LFKeyRight));
    EXPECT_EQ(-1, LFKey(LFKeyRight, 0));
    EXPECT_EQ(-1, LFKey(LFKeyRight));
    _LFUnsetKey(SDLK_RIGHT);
    EXPECT_EQ(0, LFKey(LFKeyRight));
}

TEST_F(Keyboard, OutOfRangeCodesAreFalse)
{
    for (int code = 1; code < _LFKeyCount; code++)
        _LFKeys[code] = -1;
    const int bad[] = {0, -1, -5, 137, 1000};
    for (int code : bad) {
        EXPECT_EQ(0, LFKey(code)) << code;
        EXPECT_EQ(0, LFKey(code, -1)) << code;
        EXPECT_EQ(0, LFKeyWithDelayedRepeat(code)) << code;
        EXPECT_EQ(0, _LFKeyTextEntry(code, -1)) << code;
    }
}

TEST_F(Keyboard, CodeZeroIsFalseEvenWhenItsEntryIsSet)
{
    _LFKeys[0] = -1;
    EXPECT_EQ(0, LFKey(0));
    EXPECT_EQ(0, LFKey(0, -1));
    EXPECT_EQ(0, _LFKeysDown[0]);
}

TEST_F(Keyboard, OnceFiresOnFirstQueryOfEachPress)
{
    _LFSetKey(SDLK_ESCAPE);
    EXPECT_EQ(-1, LFKey(LFKeyEscape, -1));
    EXPECT_EQ(_LFLogicCurrentTime, _LFKeysDownTime[LFKeyEscape]);
    for (int tick = 0; tick < 100; tick++) {
        nextTick();
        EXPECT_EQ(0, LFKey(LFKeyEscape, -1)) << tick;
    }
    // The held query still sees the key while the latch is set.
    EXPECT_EQ(-1, LFKey(LFKeyEscape));
    _LFUnsetKey(SDLK_ESCAPE);
    EXPECT_EQ(0, LFKey(LFKeyEscape, -1));
    _LFSetKey(SDLK_ESCAPE);
    EXPECT_EQ(-1, LFKey(LFKeyEscape, -1));
    EXPECT_EQ(0, LFKey(LFKeyEscape, -1));
}

TEST_F(Keyboard, AnyNonZeroOnceMeansOnce)
{
    _LFSetKey(SDLK_x);
    EXPECT_EQ(-1, LFKey(LFKeyX, 1));
    EXPECT_EQ(0, LFKey(LFKeyX, 1));
    EXPECT_EQ(0, LFKey(LFKeyX, -1));
}

TEST_F(Keyboard, SDLAutoRepeatKeyDownsDoNotRefire)
{
    _LFSetKey(SDLK_SPACE);
    EXPECT_EQ(-1, LFKey(LFKeySpace, -1));
    _LFSetKey(SDLK_SPACE);
    _LFSetKey(SDLK_SPACE);
    EXPECT_EQ(0, LFKey(LFKeySpace, -1));
}

TEST_F(Keyboard, PressAndReleaseInOnePumpIsNeverSeen)
{
    _LFSetKey(SDLK_j);
    _LFUnsetKey(SDLK_j);
    EXPECT_EQ(0, LFKey(LFKeyJ, -1));
    EXPECT_EQ(0, LFKey(LFKeyJ));
    EXPECT_EQ(0, LFKeyWithDelayedRepeat(LFKeyJ));
    EXPECT_EQ(0, LFKeyPressed());
}

TEST_F(Keyboard, KeyUpClearsLatchesOfReleasedKeys)
{
    _LFSetKey(SDLK_a);
    _LFSetKey(SDLK_b);
    ASSERT_EQ(-1, LFKey(LFKeyA, -1));
    ASSERT_EQ(-1, _LFKeyTextEntry(LFKeyA, -1));
    // A is released without its own key-up sweep, so its latches stay set.
    _LFSetKeyToValue(SDLK_a, 0);
    _LFSetKey(SDLK_a);
    EXPECT_EQ(0, LFKey(LFKeyA, -1));
    _LFSetKeyToValue(SDLK_a, 0);
    // B's key-up clears the latches of every released key, A included.
    _LFUnsetKey(SDLK_b);
    EXPECT_EQ(0, _LFKeysDown[LFKeyA]);
    EXPECT_EQ(0, _LFKeysTextEntryDown[LFKeyA]);
    EXPECT_EQ(kNever, _LFKeysDownTime[LFKeyA]);
    _LFSetKey(SDLK_a);
    EXPECT_EQ(-1, LFKey(LFKeyA, -1));
    EXPECT_EQ(-1, _LFKeyTextEntry(LFKeyA, -1));
}

TEST_F(Keyboard, KeyUpKeepsLatchesOfHeldKeys)
{
    _LFSetKey(SDLK_LEFT);
    _LFSetKey(SDLK_SPACE);
    ASSERT_EQ(-1, LFKey(LFKeyLeft, -1));
    ASSERT_EQ(-1, _LFKeyTextEntry(LFKeyLeft, -1));
    Uint32 downTime = _LFKeysDownTime[LFKeyLeft];
    nextTick();
    _LFUnsetKey(SDLK_SPACE);
    EXPECT_EQ(0, LFKey(LFKeyLeft, -1));
    EXPECT_EQ(0, _LFKeyTextEntry(LFKeyLeft, -1));
    EXPECT_EQ(downTime, _LFKeysDownTime[LFKeyLeft]);
    EXPECT_EQ(-1, LFKey(LFKeyLeft));
}

TEST_F(Keyboard, UnmappedKeyUpStillClearsReleasedLatches)
{
    _LFSetKey(SDLK_c);
    ASSERT_EQ(-1, LFKey(LFKeyC, -1));
    _LFSetKeyToValue(SDLK_c, 0);
    _LFUnsetKey(SDLK_F16);
    EXPECT_EQ(0, _LFKeysDown[LFKeyC]);
    _LFSetKey(SDLK_c);
    EXPECT_EQ(-1, LFKey(LFKeyC, -1));
}

TEST_F(Keyboard, HeldQueryOfReleasedKeyClearsItsLatch)
{
    _LFSetKey(SDLK_d);
    ASSERT_EQ(-1, LFKey(LFKeyD, -1));
    // Released without a key-up sweep: the once-query keeps reporting the
    // old press as already seen...
    _LFSetKeyToValue(SDLK_d, 0);
    EXPECT_EQ(0, LFKey(LFKeyD, -1));
    EXPECT_EQ(-1, _LFKeysDown[LFKeyD]);
    // ...until a plain held-query finds the key released and clears its latch.
    EXPECT_EQ(0, LFKey(LFKeyD));
    EXPECT_EQ(0, _LFKeysDown[LFKeyD]);
    EXPECT_EQ(kNever, _LFKeysDownTime[LFKeyD]);
    _LFSetKey(SDLK_d);
    EXPECT_EQ(-1, LFKey(LFKeyD, -1));
}

TEST_F(Keyboard, HeldQueryClearsOnlyTheMainLatch)
{
    _LFSetKey(SDLK_e);
    ASSERT_EQ(-1, _LFKeyTextEntry(LFKeyE, -1));
    _LFSetKeyToValue(SDLK_e, 0);
    EXPECT_EQ(0, LFKey(LFKeyE));
    EXPECT_EQ(-1, _LFKeysTextEntryDown[LFKeyE]);
    // The text-entry held query clears the text-entry latch.
    EXPECT_EQ(0, _LFKeyTextEntry(LFKeyE, 0));
    EXPECT_EQ(0, _LFKeysTextEntryDown[LFKeyE]);
}

TEST_F(Keyboard, TextEntryLatchIsIndependent)
{
    _LFSetKey(SDLK_w);
    EXPECT_EQ(-1, LFKey(LFKeyW, -1));
    EXPECT_EQ(-1, _LFKeyTextEntry(LFKeyW, -1));
    EXPECT_EQ(0, LFKey(LFKeyW, -1));
    EXPECT_EQ(0, _LFKeyTextEntry(LFKeyW, -1));
    EXPECT_EQ(-1, _LFKeyTextEntry(LFKeyW, 0));
    _LFUnsetKey(SDLK_w);
    _LFSetKey(SDLK_w);
    // The text-entry consumer reads first this time; the game still sees it.
    EXPECT_EQ(-1, _LFKeyTextEntry(LFKeyW, -1));
    EXPECT_EQ(-1, LFKey(LFKeyW, -1));
}

TEST_F(Keyboard, DelayedRepeatAtSixtyCyclesPerSecond)
{
    ASSERT_EQ(16u, _LFLogicTimeRequiredPerLogicCycle);
    _LFSetKey(SDLK_DOWN);
    for (int tick = 0; tick < 40; tick++) {
        int expected = (tick == 0 || tick >= 30) ? -1 : 0;
        EXPECT_EQ(expected, LFKeyWithDelayedRepeat(LFKeyDown)) << tick;
        nextTick();
    }
}

TEST_F(Keyboard, DelayedRepeatBoundaryIsThirtyCycles)
{
    LFSetLogicInterval(100);
    Uint32 start = _LFLogicCurrentTime;
    _LFSetKey(SDLK_DOWN);
    EXPECT_EQ(-1, LFKeyWithDelayedRepeat(LFKeyDown));
    _LFLogicCurrentTime = start + 1;
    EXPECT_EQ(0, LFKeyWithDelayedRepeat(LFKeyDown));
    _LFLogicCurrentTime = start + 30 * 10 - 1;
    EXPECT_EQ(0, LFKeyWithDelayedRepeat(LFKeyDown));
    _LFLogicCurrentTime = start + 30 * 10;
    EXPECT_EQ(-1, LFKeyWithDelayedRepeat(LFKeyDown));
    // The down time does not move: every later query repeats.
    EXPECT_EQ(-1, LFKeyWithDelayedRepeat(LFKeyDown));
    EXPECT_EQ(start, _LFKeysDownTime[LFKeyDown]);
    _LFLogicCurrentTime = start + 100000;
    EXPECT_EQ(-1, LFKeyWithDelayedRepeat(LFKeyDown));
}

TEST_F(Keyboard, DelayedRepeatStopsOnReleaseAndRestartsOnPress)
{
    _LFSetKey(SDLK_UP);
    EXPECT_EQ(-1, LFKeyWithDelayedRepeat(LFKeyUp));
    _LFLogicCurrentTime += 30 * 16;
    EXPECT_EQ(-1, LFKeyWithDelayedRepeat(LFKeyUp));
    _LFUnsetKey(SDLK_UP);
    EXPECT_EQ(0, LFKeyWithDelayedRepeat(LFKeyUp));
    nextTick();
    _LFSetKey(SDLK_UP);
    EXPECT_EQ(-1, LFKeyWithDelayedRepeat(LFKeyUp));
    nextTick();
    EXPECT_EQ(0, LFKeyWithDelayedRepeat(LFKeyUp));
}

TEST_F(Keyboard, DelayedRepeatSharesTheOnceLatch)
{
    _LFSetKey(SDLK_h);
    EXPECT_EQ(-1, LFKey(LFKeyH, -1));
    EXPECT_EQ(0, LFKeyWithDelayedRepeat(LFKeyH));
    _LFLogicCurrentTime += 30 * 16;
    EXPECT_EQ(-1, LFKeyWithDelayedRepeat(LFKeyH));
    // The plain once-query never repeats.
    EXPECT_EQ(0, LFKey(LFKeyH, -1));
}

TEST_F(Keyboard, DelayedRepeatAcrossLogicClockWrap)
{
    // Pressed just before the unsigned wrap, then just before the signed one.
    const Uint32 pressTimes[] = {0xFFFFFF00u, 0x7FFFFF00u};
    for (Uint32 pressed : pressTimes) {
        _LFInitKeys();
        _LFLogicCurrentTime = pressed;
        _LFSetKey(SDLK_DOWN);
        EXPECT_EQ(-1, LFKeyWithDelayedRepeat(LFKeyDown)) << pressed;
        _LFLogicCurrentTime = pressed + 30 * 16 - 1;
        EXPECT_EQ(0, LFKeyWithDelayedRepeat(LFKeyDown)) << pressed;
        _LFLogicCurrentTime = pressed + 30 * 16;
        EXPECT_EQ(-1, LFKeyWithDelayedRepeat(LFKeyDown)) << pressed;
    }
}

TEST_F(Keyboard, TextEntryFirstReportMovesTheSharedDownTime)
{
    _LFSetKey(SDLK_k);
    Uint32 gameSawIt = _LFLogicCurrentTime;
    EXPECT_EQ(-1, LFKeyWithDelayedRepeat(LFKeyK));
    _LFLogicCurrentTime += 10 * 16;
    Uint32 textSawIt = _LFLogicCurrentTime;
    EXPECT_EQ(-1, _LFKeyTextEntry(LFKeyK, -1));
    EXPECT_EQ(textSawIt, _LFKeysDownTime[LFKeyK]);
    // Repeat now counts from the text-entry report, not the game's.
    _LFLogicCurrentTime = gameSawIt + 30 * 16;
    EXPECT_EQ(0, LFKeyWithDelayedRepeat(LFKeyK));
    _LFLogicCurrentTime = textSawIt + 30 * 16;
    EXPECT_EQ(-1, LFKeyWithDelayedRepeat(LFKeyK));
}

TEST_F(Keyboard, KeyPressedReturnsLowestHeldCode)
{
    EXPECT_EQ(0, LFKeyPressed());
    _LFSetKey(SDLK_SPACE);
    EXPECT_EQ(LFKeySpace, LFKeyPressed());
    _LFSetKey(SDLK_a);
    EXPECT_EQ(1, LFKeyPressed());
    _LFSetKey(SDLK_ESCAPE);
    EXPECT_EQ(1, LFKeyPressed());
    _LFUnsetKey(SDLK_a);
    EXPECT_EQ(LFKeyEscape, LFKeyPressed());
    _LFUnsetKey(SDLK_ESCAPE);
    _LFUnsetKey(SDLK_SPACE);
    EXPECT_EQ(0, LFKeyPressed());
}

TEST_F(Keyboard, KeyToStringNamesEveryCode)
{
    std::string expected[_LFKeyCount];
    for (std::string& name : expected)
        name = "Unknown";
    for (const KeyRow& row : kMappedKeys)
        expected[row.code] = row.name;
    for (const KeyRow& row : kUnmappedNamedCodes)
        expected[row.code] = row.name;
    for (int code = 0; code < _LFKeyCount; code++)
        EXPECT_STREQ(expected[code].c_str(), LFKeyToString(code)) << code;
}

TEST_F(Keyboard, KeyToStringUnknownCodes)
{
    const int unknown[] = {0, 27, 40, 52, 77, -1, -1000, 137, 100000};
    for (int code : unknown)
        EXPECT_STREQ("Unknown", LFKeyToString(code)) << code;
}

TEST_F(Keyboard, KeyToStringEscapedAndSharedNames)
{
    EXPECT_STREQ("\\", LFKeyToString(LFKeyBackslash));
    EXPECT_STREQ("\"", LFKeyToString(LFKeyQuote));
    EXPECT_STREQ(":", LFKeyToString(LFKeyColon));
    EXPECT_STREQ(":", LFKeyToString(LFKeySemicolon));
    EXPECT_STREQ("0", LFKeyToString(LFKeyPad0));
    EXPECT_STREQ("Left Super", LFKeyToString(LFKeyLeftSuper));
    EXPECT_STREQ("Right Winkey", LFKeyToString(LFKeyRightWinkey));
}

}  // namespace
