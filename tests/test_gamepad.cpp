// Game-pad state through a real SDL virtual joystick: the test moves its
// buttons, hat and axes with SDL's virtual-joystick calls, SDL turns them into
// joystick events when it updates joysticks (inside SDL_PollEvent), and the
// logic loop's pump hands them to the module.
#include <string>
#include <vector>

#include "TestSupport.h"
#include "input/LFGamePadPrivate.h"
#include "timing/LFLogicTimingPrivate.h"

namespace {

// One button and one axis more than the module keeps, so that SDL reports
// indexes the module must ignore.
const int kButtons = 17;
const int kAxes = 9;
const int kHats = 1;

// The library started without a window, on the test clock. The pad needs no
// window, and without one SDL never holds joystick events back for want of
// keyboard focus.
class GamePadLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(0, LFInit()) << LFError();
        TestClock::install();
        LFResetLogicLoop();
        // Axes and hat outlive LFInitGamePad; start them centred even when
        // the tests share one process.
        for (int axis = 0; axis < _LFGamePadAxisCount; axis++)
            _LFSetAxis(axis, 0);
        _LFSetHat(SDL_HAT_CENTERED);
    }

    void TearDown() override
    {
        LFDeInitGamePad();
        TestClock::uninstall();
        LFDeInit();
    }

    // Runs one frame of exactly one tick; body runs inside the tick, where the
    // game's update runs.
    template <typename Body>
    void tick(Body body)
    {
        TestClock::now += _LFLogicTimeRequiredPerLogicCycle;
        LFPreLogicLoop();
        int ticks = 0;
        while (LFLogicLoop()) {
            body();
            LFLogicUpdate();
            ticks++;
        }
        LFPostLogicLoop();
        EXPECT_EQ(1, ticks);
    }

    void tick()
    {
        tick([] {});
    }
};

// A virtual joystick attached and opened by LFInitGamePad.
class GamePad : public GamePadLibrary {
protected:
    void SetUp() override
    {
        GamePadLibrary::SetUp();
        ASSERT_EQ(0, SDL_NumJoysticks()) << "a real joystick would be opened first";
        deviceIndex = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, kAxes, kButtons, kHats);
        ASSERT_EQ(0, deviceIndex) << SDL_GetError();
        ASSERT_EQ(-1, LFInitGamePad());
        // Lets the device-added event and the pad's resting state go by.
        tick();
    }

    void TearDown() override
    {
        LFDeInitGamePad();
        SDL_JoystickDetachVirtual(deviceIndex);
        GamePadLibrary::TearDown();
    }

    static void press(int button) { setButton(button, SDL_PRESSED); }
    static void release(int button) { setButton(button, SDL_RELEASED); }

    static void setButton(int button, Uint8 state)
    {
        ASSERT_EQ(0, SDL_JoystickSetVirtualButton(_LFGamePad, button, state)) << SDL_GetError();
    }

    static void setHat(Uint8 value)
    {
        ASSERT_EQ(0, SDL_JoystickSetVirtualHat(_LFGamePad, 0, value)) << SDL_GetError();
    }

    static void setAxis(int axis, Sint16 value)
    {
        ASSERT_EQ(0, SDL_JoystickSetVirtualAxis(_LFGamePad, axis, value)) << SDL_GetError();
    }

    int deviceIndex = -1;
};

TEST_F(GamePad, InitOpensTheFirstJoystick)
{
    ASSERT_NE(nullptr, _LFGamePad);
    EXPECT_EQ(SDL_JoystickGetDeviceInstanceID(0), SDL_JoystickInstanceID(_LFGamePad));
    EXPECT_EQ(kButtons, SDL_JoystickNumButtons(_LFGamePad));
}

TEST_F(GamePad, ButtonsAreHeldUntilReleased)
{
    press(2);
    tick([] {
        EXPECT_EQ(-1, LFGamePadButton(2));
        EXPECT_EQ(-1, LFGamePadButton(2, 0));
        EXPECT_EQ(0, LFGamePadButton(1));
        EXPECT_EQ(2, LFGamePadPressedButton());
    });
    press(0);
    tick([] { EXPECT_EQ(0, LFGamePadPressedButton()) << "the lowest held button"; });
    release(0);
    release(2);
    tick([] {
        EXPECT_EQ(0, LFGamePadButton(2));
        EXPECT_EQ(-1, LFGamePadPressedButton()) << "none held";
    });
}

TEST_F(GamePad, OnceFiresOnFirstQueryOfEachPress)
{
    press(5);
    tick([] {
        EXPECT_EQ(-1, LFGamePadButton(5, -1));
        EXPECT_EQ(0, LFGamePadButton(5, -1));
    });
    for (int i = 0; i < 50; i++) {
        tick([i] {
            EXPECT_EQ(0, LFGamePadButton(5, 1)) << i;
            EXPECT_EQ(-1, LFGamePadButton(5)) << i;
        });
    }
    release(5);
    tick([] { EXPECT_EQ(0, LFGamePadButton(5, -1)); });
    press(5);
    tick([] { EXPECT_EQ(-1, LFGamePadButton(5, -1)); });
}

TEST_F(GamePad, PressAndReleaseInOnePumpIsNeverSeen)
{
    press(1);
    SDL_JoystickUpdate();
    release(1);
    SDL_JoystickUpdate();
    SDL_Event queued[4];
    ASSERT_EQ(2, SDL_PeepEvents(queued, 4, SDL_PEEKEVENT, SDL_JOYBUTTONDOWN, SDL_JOYBUTTONUP));
    tick([] {
        EXPECT_EQ(0, LFGamePadButton(1, -1));
        EXPECT_EQ(0, LFGamePadButtonWithDelayedRepeat(1));
        EXPECT_EQ(-1, LFGamePadPressedButton());
    });
}

TEST_F(GamePad, DelayedRepeatFiresFirstThenAfterThirtyCycles)
{
    ASSERT_EQ(16u, _LFLogicTimeRequiredPerLogicCycle);
    press(3);
    for (int i = 0; i < 40; i++) {
        int expected = (i == 0 || i >= 30) ? -1 : 0;
        tick([=] { EXPECT_EQ(expected, LFGamePadButtonWithDelayedRepeat(3)) << i; });
    }
    release(3);
    tick([] { EXPECT_EQ(0, LFGamePadButtonWithDelayedRepeat(3)); });
    press(3);
    tick([] { EXPECT_EQ(-1, LFGamePadButtonWithDelayedRepeat(3)); });
    tick([] { EXPECT_EQ(0, LFGamePadButtonWithDelayedRepeat(3)); });
}

TEST_F(GamePad, DelayedRepeatCountsFromTheFirstQueryThatSawThePress)
{
    // Latching queries while released, then a press nobody asks about for
    // five ticks: the delay starts at the query that first sees it held.
    for (int i = 0; i < 3; i++)
        tick([] { EXPECT_EQ(0, LFGamePadButtonWithDelayedRepeat(7)); });
    press(7);
    for (int i = 0; i < 5; i++)
        tick();
    tick([] { EXPECT_EQ(-1, LFGamePadButtonWithDelayedRepeat(7)); });
    for (int i = 1; i < 30; i++)
        tick([i] { EXPECT_EQ(0, LFGamePadButtonWithDelayedRepeat(7)) << i; });
    tick([] { EXPECT_EQ(-1, LFGamePadButtonWithDelayedRepeat(7)); });
    tick([] { EXPECT_EQ(-1, LFGamePadButtonWithDelayedRepeat(7)); });
}

TEST_F(GamePad, OnceAndDelayedRepeatShareTheLatch)
{
    press(9);
    tick([] {
        EXPECT_EQ(-1, LFGamePadButton(9, -1));
        EXPECT_EQ(0, LFGamePadButtonWithDelayedRepeat(9));
    });
    for (int i = 1; i < 30; i++)
        tick();
    tick([] {
        EXPECT_EQ(-1, LFGamePadButtonWithDelayedRepeat(9));
        EXPECT_EQ(0, LFGamePadButton(9, -1)) << "the plain once-query never repeats";
    });
}

// Where the keyboard differs: its held-query of a released key clears the
// key's latch. The pump always clears a button's latch with its release, so
// the release is written by hand here to show the query alone.
TEST_F(GamePad, PlainQueryNeverTouchesTheLatch)
{
    press(4);
    tick([] { ASSERT_EQ(-1, LFGamePadButton(4, -1)); });
    _LFGamePadButtons[4] = 0;
    EXPECT_EQ(0, LFGamePadButton(4));
    EXPECT_EQ(-1, _LFGamePadButtonsDown[4]);
    _LFGamePadButtons[4] = -1;
    EXPECT_EQ(0, LFGamePadButton(4, -1)) << "still the press already reported";
}

// Where the keyboard differs: it marks the down time of a released key as
// "never"; the pad stores the time of every latching query.
TEST_F(GamePad, LatchingQueryOfAReleasedButtonMovesTheDownTime)
{
    tick([] {
        EXPECT_EQ(0, LFGamePadButton(6, -1));
        EXPECT_EQ(_LFLogicCurrentTime, _LFGamePadButtonsDownTime[6]);
        EXPECT_EQ(0, _LFGamePadButtonsDown[6]);
    });
    tick([] {
        EXPECT_EQ(0, LFGamePadButton(6, -1));
        EXPECT_EQ(_LFLogicCurrentTime, _LFGamePadButtonsDownTime[6]);
    });
    press(6);
    Uint32 sawPress = 0;
    tick([&] {
        EXPECT_EQ(-1, LFGamePadButton(6, -1));
        sawPress = _LFLogicCurrentTime;
    });
    release(6);
    tick([] { EXPECT_EQ(0, _LFGamePadButtonsDown[6]); });
    EXPECT_EQ(sawPress, _LFGamePadButtonsDownTime[6]) << "the release leaves the down time";
}

TEST_F(GamePad, HatUpRightPointsUpAndRight)
{
    setHat(SDL_HAT_RIGHTUP);
    tick([] {
        EXPECT_EQ(SDL_HAT_UP, LFGamePadHat(SDL_HAT_UP));
        EXPECT_EQ(SDL_HAT_RIGHT, LFGamePadHat(SDL_HAT_RIGHT));
        EXPECT_EQ(0, LFGamePadHat(SDL_HAT_DOWN));
        EXPECT_EQ(0, LFGamePadHat(SDL_HAT_LEFT));
        EXPECT_EQ(0, LFGamePadHat(SDL_HAT_LEFTDOWN));
    });
    setHat(SDL_HAT_LEFT);
    tick([] {
        EXPECT_EQ(0, LFGamePadHat(SDL_HAT_UP));
        EXPECT_EQ(SDL_HAT_LEFT, LFGamePadHat(SDL_HAT_LEFT));
    });
    setHat(SDL_HAT_CENTERED);
    tick([] { EXPECT_EQ(0, LFGamePadHat(SDL_HAT_UP | SDL_HAT_RIGHT | SDL_HAT_DOWN | SDL_HAT_LEFT)); });
}

// One stick direction or trigger: the axis it reads and the way it is pushed.
struct Direction {
    const char* name;
    int axis;
    int sign;
    int (*query)();
};

const Direction kDirections[] = {
    {"left stick left", 0, -1, [] { return LFGamePadAxisLeft(0); }},
    {"left stick right", 0, 1, [] { return LFGamePadAxisRight(0); }},
    {"left stick up", 1, -1, [] { return LFGamePadAxisUp(0); }},
    {"left stick down", 1, 1, [] { return LFGamePadAxisDown(0); }},
    {"right stick left", 2, -1, [] { return LFGamePadAxisLeft(1); }},
    {"right stick right", 2, 1, [] { return LFGamePadAxisRight(-1); }},
    {"right stick up", 3, -1, [] { return LFGamePadAxisUp(7); }},
    {"right stick down", 3, 1, [] { return LFGamePadAxisDown(1); }},
    {"left trigger", 4, 1, [] { return LFGamePadLeftTrigger(); }},
    {"right trigger", 5, 1, [] { return LFGamePadRightTrigger(); }},
};

TEST_F(GamePad, AxisIsPushedOnlyBeyond16383)
{
    for (const Direction& d : kDirections) {
        setAxis(d.axis, (Sint16)(d.sign * 16383));
        tick([&] {
            EXPECT_EQ(d.sign * 16383, LFGamePadAxis(d.axis)) << d.name;
            EXPECT_EQ(0, d.query()) << d.name;
        });
        setAxis(d.axis, (Sint16)(d.sign * 16384));
        tick([&] {
            EXPECT_EQ(d.sign * 16384, LFGamePadAxis(d.axis)) << d.name;
            EXPECT_EQ(1, d.query()) << d.name;
            for (const Direction& other : kDirections) {
                if (&other == &d)
                    continue;
                EXPECT_EQ(0, other.query()) << d.name << " moves " << other.name;
            }
        });
        setAxis(d.axis, 0);
        tick([&] { EXPECT_EQ(0, d.query()) << d.name; });
    }
}

TEST_F(GamePad, AxisKeepsSDLsFullRange)
{
    setAxis(6, -32768);
    setAxis(7, 32767);
    tick([] {
        EXPECT_EQ(-32768, LFGamePadAxis(6));
        EXPECT_EQ(32767, LFGamePadAxis(7));
    });
}

TEST_F(GamePad, IndexesBeyondTheTablesAreIgnored)
{
    press(16);
    press(15);
    setAxis(8, 32767);
    setAxis(7, -20000);
    tick([] {
        EXPECT_EQ(-1, LFGamePadButton(15)) << "the last button the module keeps";
        EXPECT_EQ(0, LFGamePadButton(16));
        EXPECT_EQ(0, LFGamePadButton(16, -1));
        EXPECT_EQ(0, LFGamePadButtonWithDelayedRepeat(16));
        EXPECT_EQ(15, LFGamePadPressedButton());
        EXPECT_EQ(-20000, LFGamePadAxis(7)) << "the last axis the module keeps";
        EXPECT_EQ(0, LFGamePadAxis(8));
    });
    EXPECT_EQ(0, LFGamePadButton(-1));
    EXPECT_EQ(0, LFGamePadAxis(-1));

    // The setters themselves guard their tables.
    std::vector<int> buttons(_LFGamePadButtons, _LFGamePadButtons + _LFGamePadButtonCount);
    std::vector<int> axes(_LFGamePadAxes, _LFGamePadAxes + _LFGamePadAxisCount);
    _LFSetGamePadButton(-1);
    _LFSetGamePadButton(1000);
    _LFUnsetGamePadButton(-1);
    _LFUnsetGamePadButton(16);
    _LFSetAxis(-1, 30000);
    _LFSetAxis(8, 30000);
    EXPECT_EQ(buttons, std::vector<int>(_LFGamePadButtons, _LFGamePadButtons + _LFGamePadButtonCount));
    EXPECT_EQ(axes, std::vector<int>(_LFGamePadAxes, _LFGamePadAxes + _LFGamePadAxisCount));
}

TEST_F(GamePad, SecondInitReopensAndReleasesButtons)
{
    SDL_JoystickID instance = SDL_JoystickInstanceID(_LFGamePad);
    press(3);
    setHat(SDL_HAT_RIGHT);
    setAxis(0, 30000);
    tick([] { ASSERT_EQ(-1, LFGamePadButton(3, -1)); });

    ASSERT_EQ(-1, LFInitGamePad());
    ASSERT_NE(nullptr, _LFGamePad);
    for (int button = 0; button < _LFGamePadButtonCount; button++) {
        EXPECT_EQ(0, _LFGamePadButtons[button]) << button;
        EXPECT_EQ(0, _LFGamePadButtonsDown[button]) << button;
        EXPECT_EQ(0u, _LFGamePadButtonsDownTime[button]) << button;
    }
    EXPECT_EQ(SDL_HAT_RIGHT, LFGamePadHat(SDL_HAT_RIGHT)) << "the hat is kept";
    EXPECT_EQ(1, LFGamePadAxisRight(0)) << "the axes are kept";

    // The reopened pad reports the button still down as a new press.
    tick([] { EXPECT_EQ(-1, LFGamePadButton(3, -1)); });

    // The first handle was closed: closing the second leaves none open.
    LFDeInitGamePad();
    EXPECT_EQ(nullptr, SDL_JoystickFromInstanceID(instance));
}

TEST_F(GamePad, DeInitClosesThePad)
{
    SDL_JoystickID instance = SDL_JoystickInstanceID(_LFGamePad);
    LFDeInitGamePad();
    EXPECT_EQ(nullptr, _LFGamePad);
    EXPECT_EQ(nullptr, SDL_JoystickFromInstanceID(instance));
    LFDeInitGamePad();
    EXPECT_EQ(nullptr, _LFGamePad);
}

TEST_F(GamePadLibrary, InitWithoutJoystickFailsAndEveryQueryIsFalse)
{
    ASSERT_EQ(0, SDL_NumJoysticks());
    EXPECT_EQ(0, LFInitGamePad());
    EXPECT_EQ(nullptr, _LFGamePad);
    tick([] {
        for (int button = -1; button <= _LFGamePadButtonCount; button++) {
            EXPECT_EQ(0, LFGamePadButton(button)) << button;
            EXPECT_EQ(0, LFGamePadButton(button, -1)) << button;
            EXPECT_EQ(0, LFGamePadButtonWithDelayedRepeat(button)) << button;
        }
        EXPECT_EQ(-1, LFGamePadPressedButton()) << "none held";
        for (int direction = 0; direction < 16; direction++)
            EXPECT_EQ(0, LFGamePadHat(direction)) << direction;
        for (int axis = -1; axis <= _LFGamePadAxisCount; axis++)
            EXPECT_EQ(0, LFGamePadAxis(axis)) << axis;
        for (const Direction& d : kDirections)
            EXPECT_EQ(0, d.query()) << d.name;
    });
    LFDeInitGamePad();
    EXPECT_EQ(nullptr, _LFGamePad);
}

TEST(GamePadNames, ButtonsAreNamedFromOne)
{
    for (int button = 0; button < _LFGamePadButtonCount; button++)
        EXPECT_EQ("Button " + std::to_string(button + 1), LFGamePadButtonToString(button));
    EXPECT_STREQ("Button 16", LFGamePadButtonToString(15));
    EXPECT_STREQ("Unknown", LFGamePadButtonToString(16));
    EXPECT_STREQ("Unknown", LFGamePadButtonToString(-1));
    EXPECT_STREQ("Unknown", LFGamePadButtonToString(1000));
}

}  // namespace
