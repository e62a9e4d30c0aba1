// Recording, replay and frame capture. A run driven by the test clock and real
// SDL events is recorded, then replayed on other clock values with other
// events in the queue, and must see exactly the same; a replay that falls out
// of step or runs out stops as documented; the whole process is one run,
// across LFDeInit and LFInit and up to exit(); a recording that cannot be
// written ends at its last whole record; bad files are refused by LFInit;
// the reader is fuzzed with cut and garbled recordings.
#include <stdio.h>
#include <stdlib.h>    // setenv, unsetenv, exit
#include <sys/stat.h>  // stat
#include <unistd.h>    // truncate

#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <SDL_image.h>

#include "TestSupport.h"
#include "fuzz/DriveReplay.h"
#include "input/LFGamePadPrivate.h"
#include "input/LFMousePrivate.h"
#include "input/LFTouchPrivate.h"
#include "math/LFRandomPrivate.h"
#include "record/LFRecordPrivate.h"
#include "string/LFStringPrivate.h"
#include "system/LFApplicationPrivate.h"
#include "timing/LFLogicTimingPrivate.h"

namespace {

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

long FileSize(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? (long)info.st_size : -1;
}

// Sets the variables LFInit reads; null clears one.
void SetVariables(const char* record, const char* replay, const char* capture = NULL, const char* every = NULL)
{
    const char* names[] = {"LF_RECORD", "LF_REPLAY", "LF_CAPTURE", "LF_CAPTURE_EVERY"};
    const char* values[] = {record, replay, capture, every};
    for (int i = 0; i < 4; i++) {
        if (values[i])
            setenv(names[i], values[i], 1);
        else
            unsetenv(names[i]);
    }
}

std::string Header(Uint32 version = 1)
{
    std::string header = "LFRECORD";
    for (int i = 0; i < 4; i++)
        header += (char)(version >> (8 * i));
    return header;
}

SDL_Event Event(Uint32 type)
{
    SDL_Event e = {};
    e.type = type;
    return e;
}

void Push(SDL_Event e)
{
    SDL_PushEvent(&e);
}

std::vector<std::string>* resizes;

void NoteResize(Uint32 windowID, LFSize size)
{
    std::ostringstream line;
    line << "resize " << windowID << " " << size.width << "x" << size.height;
    resizes->push_back(line.str());
}

// The events of one frame of the recorded run: every kind the pump handles,
// and one it ignores.
void PushLiveEvents(int frame, Uint32 windowID)
{
    SDL_Event e;
    switch (frame) {
    case 1:
        Push(KeyEvent(SDL_KEYDOWN, SDLK_a, windowID));
        e = Event(SDL_MOUSEMOTION);
        e.motion.windowID = windowID;
        e.motion.x = 30;
        e.motion.y = 20;
        e.motion.xrel = -4;
        e.motion.yrel = 7;
        Push(e);
        break;
    case 2:
        e = Event(SDL_MOUSEBUTTONDOWN);
        e.button.windowID = windowID;
        e.button.button = SDL_BUTTON_RIGHT;
        e.button.state = SDL_PRESSED;
        Push(e);
        e = Event(SDL_MOUSEWHEEL);
        e.wheel.x = 1;
        e.wheel.y = -2;
        Push(e);
        break;
    case 3:
        e = Event(SDL_JOYAXISMOTION);
        e.jaxis.axis = 1;
        e.jaxis.value = -32768;
        Push(e);
        e = Event(SDL_JOYHATMOTION);
        e.jhat.value = SDL_HAT_LEFTUP;
        Push(e);
        e = Event(SDL_JOYBUTTONDOWN);
        e.jbutton.button = 5;
        Push(e);
        break;
    case 5:
        Push(FingerEvent(SDL_FINGERDOWN, 0.5f, 0.25f, windowID));
        break;
    case 6:
        Push(FingerEvent(SDL_FINGERMOTION, 0.75f, 0.5f, windowID));
        e = Event(SDL_USEREVENT);
        e.user.windowID = 4242;
        Push(e);
        break;
    case 7:
        Push(FingerEvent(SDL_FINGERUP, 0.1f, 0.1f, windowID));
        e = Event(SDL_WINDOWEVENT);
        e.window.event = SDL_WINDOWEVENT_RESIZED;
        e.window.windowID = windowID;
        e.window.data1 = 99;
        e.window.data2 = 77;
        Push(e);
        break;
    case 9:
        Push(KeyEvent(SDL_KEYUP, SDLK_a, windowID));
        e = Event(SDL_JOYBUTTONUP);
        e.jbutton.button = 5;
        Push(e);
        e = Event(SDL_MOUSEBUTTONUP);
        e.button.button = SDL_BUTTON_RIGHT;
        e.button.state = SDL_RELEASED;
        Push(e);
        break;
    default:
        break;
    }
}

// What the program sees in one tick.
std::string State(LFRealTimeTimer& timer)
{
    std::ostringstream s;
    s << "t" << _LFLogicCurrentTime << " key" << LFKey(LFKeyA) << " mouse" << LFMouseX << "," << LFMouseY << ","
      << LFMouseXRelative << "," << LFMouseYRelative << " buttons";
    for (int i = 0; i < 7; i++)
        s << LFMouse(i);
    s << " touch" << LFFingerDown() << "," << LFTouchX << "," << LFTouchY << " pad" << LFGamePadAxis(1) << ","
      << LFGamePadHat(SDL_HAT_LEFTUP) << "," << LFGamePadButton(5) << " window" << LFCurrentEventWindowID
      << " timer" << timer.tick() << "," << timer.elapsedTime() << " draw" << LFRandomize(0, 1000);
    return s.str();
}

// Input state outlives LFDeInit; each run starts from none, as a new process would.
void ResetInputs()
{
    LFMouseX = LFMouseY = LFMouseXRelative = LFMouseYRelative = 0;
    LFMousePoint = LFMousePointRelative = LFZeroPoint;
    _LFMouseButtonLeft = _LFMouseButtonRight = _LFMouseButtonMiddle = 0;
    LFTouchX = LFTouchY = 0;
    LFTouchPoint = LFZeroPoint;
    _LFSetTouching(0);
    _LFSetAxis(1, 0);
    _LFSetHat(SDL_HAT_CENTERED);
    _LFUnsetGamePadButton(5);
    LFCurrentEventWindowID = 0xFFFFFFFF;
}

// A run of a dozen frames: clock steps from none to several seconds, every
// kind of event, random draws and window queries. Recorded, it reads the
// test clock and the events pushed; replayed, it is handed other clock
// values and other events, which must make no difference. Returns everything
// the program saw.
std::vector<std::string> RunProgram(bool live)
{
    std::vector<std::string> seen;
    resizes = &seen;
    ResetInputs();
    TestClock::install(live ? 5000 : 9);
    if (!LFInit()) {
        seen.push_back(std::string("LFInit failed: ") + LFError());
        return seen;
    }
    SDL_WarpMouseGlobal(4000, 4000);
    LFWindow* window = new LFWindow(Str("record"), LFMakeSize(64, 48));
    window->setRenderContext();
    LFSetWindowResizedCallback(NoteResize);
    // A pad plugged in for the replay only: the replay answers as the recorded run did.
    int pad = live ? -1 : SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 6, 1);
    seen.push_back("pad " + std::to_string(LFInitGamePad()));
    seen.push_back("seeded " + std::to_string(_LFRandom()));
    LFSize size = window->size();
    seen.push_back("size " + std::to_string(size.width) + "x" + std::to_string(size.height));

    LFResetLogicLoop();
    LFRealTimeTimer timer(0.05f);
    const Uint32 steps[] = {0, 16, 5, 40, 16, 0, 2000, 16, 33, 16, 100, 16};
    for (int frame = 0; frame < 12; frame++) {
        TestClock::now += live ? steps[frame] : 1;
        if (live)
            PushLiveEvents(frame, window->id());
        else
            Push(KeyEvent(SDL_KEYDOWN, SDLK_b, window->id()));
        LFPreLogicLoop();
        while (LFLogicLoop()) {
            seen.push_back(State(timer));
            LFLogicUpdate();
        }
        LFPostLogicLoop();
        if (frame == 8) {
            LFRect r = window->rect();
            seen.push_back("rect " + std::to_string(r.size.width) + " focused " + std::to_string(window->isFocused()));
        }
        glClear(GL_COLOR_BUFFER_BIT);
        window->swapBuffers();
    }
    seen.push_back("quit " + std::to_string(LFApplicationQuitRequested()));
    seen.push_back("out of step " + std::to_string(LFReplayOutOfStep()));

    LFSetWindowResizedCallback(NULL);
    LFDeInitGamePad();
    if (pad >= 0)
        SDL_JoystickDetachVirtual(pad);
    delete window;
    _LFCleanTempStrings();
    LFDeInit();
    TestClock::uninstall();
    return seen;
}

class Record : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = temp.path();
        file = dir + "/run.lfrec";
    }

    void TearDown() override
    {
        SetVariables(NULL, NULL);
        LFApplicationCancelQuitRequest();
        TestClock::uninstall();
    }

    // Starts the library with the variables set, on the test clock; LFInit's result.
    static int begin(const char* record, const char* replay)
    {
        SetVariables(record, replay);
        TestClock::install(1000);
        int started = LFInit();
        LFResetLogicLoop();
        return started;
    }

    void start(const char* record, const char* replay) { ASSERT_NE(0, begin(record, replay)) << LFError(); }

    // One frame without a window: the clock read, every due tick pumped.
    static void frame(Uint32 step)
    {
        TestClock::now += step;
        LFPreLogicLoop();
        while (LFLogicLoop())
            LFLogicUpdate();
        LFPostLogicLoop();
        _LFRecordFrame();
    }

    TempDir temp{"lfrecord"};
    std::string dir;
    std::string file;
};

TEST_F(Record, ReplaySeesExactlyWhatTheRecordedRunSaw)
{
    SetVariables(file.c_str(), NULL);
    std::vector<std::string> live = RunProgram(true);
    ASSERT_GT(live.size(), 20u) << live[0];

    SetVariables(NULL, file.c_str());
    std::vector<std::string> replayed = RunProgram(false);
    EXPECT_EQ(live, replayed);
    EXPECT_EQ("quit 0", replayed[replayed.size() - 2]) << "the recording ends where the run ended";

    // Recording a replay writes the same file again.
    std::string again = dir + "/again.lfrec";
    SetVariables(again.c_str(), file.c_str());
    EXPECT_EQ(live, RunProgram(false));
    EXPECT_EQ(ReadBytes(file), ReadBytes(again));

    // Without the variables the run is live again: the test clock shows through.
    SetVariables(NULL, NULL);
    EXPECT_NE(live, RunProgram(false));
    EXPECT_EQ(0, _LFRecordActive);
}

TEST_F(Record, AProgramThatAsksForMoreStopsWithTheFileAndFrameInTheError)
{
    start(file.c_str(), NULL);
    frame(16);
    frame(16);
    LFDeInit();

    start(NULL, file.c_str());
    frame(16);
    LFPreLogicLoop();
    Uint32 last = _LFGetTicks();  // one reading more than the recorded run took
    EXPECT_NE(0, LFReplayOutOfStep());
    EXPECT_NE(0, LFApplicationQuitRequested());
    std::string error = LFError();
    EXPECT_NE(std::string::npos, error.find("Replay of " + file + " out of step at frame 2")) << error;
    EXPECT_NE(std::string::npos, error.find("asks for a clock reading where the recording has the end of a tick's events")) << error;
    // The program finishes its frame: time stands still and no event comes.
    TestClock::now += 500;
    EXPECT_EQ(last, _LFGetTicks());
    SDL_Event event;
    EXPECT_EQ(0, _LFRecordPollEvent(&event));
    // Later errors take LFError() over; the reason stays for the program's last word.
    _LFSetError("Unable to set swap interval: That operation is not supported");
    EXPECT_EQ(error, LFRecordError());
    LFDeInit();
    EXPECT_EQ(error, LFRecordError());
    EXPECT_NE(0, LFReplayOutOfStep());

    // A start on other variables begins a new run, with no failure.
    SetVariables(NULL, NULL);
    ASSERT_NE(0, LFInit());
    EXPECT_EQ(nullptr, LFRecordError());
    EXPECT_EQ(0, LFReplayOutOfStep());
    LFDeInit();
}

TEST_F(Record, AUsedUpRecordingAsksToQuitWithoutAnError)
{
    start(file.c_str(), NULL);
    frame(16);
    frame(40);
    Uint32 end = _LFLogicCurrentTime;
    LFDeInit();

    start(NULL, file.c_str());
    frame(1);
    frame(1);
    EXPECT_EQ(0, LFApplicationQuitRequested());
    EXPECT_EQ(end, _LFLogicCurrentTime);
    // Real input counts for nothing but a quit; once the recording is used
    // up the program is asked to quit.
    SDL_Event key = KeyEvent(SDL_KEYDOWN, SDLK_a);
    SDL_PushEvent(&key);
    frame(1000);
    EXPECT_NE(0, LFApplicationQuitRequested());
    EXPECT_EQ(0, LFReplayOutOfStep());
    EXPECT_STREQ("", LFError());
    EXPECT_EQ(nullptr, LFRecordError());
    EXPECT_EQ(0, LFKey(LFKeyA));
    EXPECT_EQ(end, _LFLogicCurrentTime);
    LFDeInit();
}

TEST_F(Record, ClosingTheWindowQuitsAReplay)
{
    start(file.c_str(), NULL);
    for (int i = 0; i < 5; i++)
        frame(16);
    LFDeInit();

    start(NULL, file.c_str());
    frame(16);
    SDL_Event quit = Event(SDL_QUIT);
    SDL_PushEvent(&quit);
    frame(16);
    EXPECT_NE(0, LFApplicationQuitRequested());
    EXPECT_EQ(0, LFReplayOutOfStep());
    LFDeInit();
}

TEST_F(Record, TheFileCatchesUpEverySecondOfTheClock)
{
    start(file.c_str(), NULL);
    frame(16);
    long early = FileSize(file);
    for (int i = 0; i < 50; i++)
        frame(16);
    EXPECT_EQ(early, FileSize(file)) << "less than a second: still in memory";
    frame(300);
    EXPECT_GT(FileSize(file), early) << "a second has passed: written";
    LFDeInit();
    EXPECT_GT(FileSize(file), early);
}

// Plays frames of 16 ms until the replay asks to quit; the number played
// before that (at most limit).
int PlayToTheEnd(int limit)
{
    int frames = 0;
    for (; frames < limit; frames++) {
        TestClock::now += 16;
        LFPreLogicLoop();
        while (LFLogicLoop())
            LFLogicUpdate();
        LFPostLogicLoop();
        if (LFApplicationQuitRequested())
            break;
        _LFRecordFrame();
    }
    return frames;
}

// A full disk, as `ulimit -f 1` makes one: the write that fails is reported,
// the file goes back to its last whole record and replays up to there.
TEST_F(Record, ARecordingThatCannotBeWrittenEndsAtItsLastWholeRecord)
{
#ifdef _WIN32
    GTEST_SKIP() << kNoChildProcess;
#else
    std::string cut = dir + "/cut.lfrec";
    int status = RunInChild(1024, [&] {
        if (!begin(cut.c_str(), NULL))
            return 2;
        for (int i = 0; i < 1000 && !LFRecordError(); i++)
            frame(16);
        std::string reason = LFRecordError() ? LFRecordError() : "none";
        LFDeInit();
        fprintf(stderr, "%s\n", reason.c_str());
        return reason == "Unable to write record file " + cut + ": File too large" ? 0 : 1;
    });
    EXPECT_EQ(0, status) << "the failed write is reported in LFRecordError()";

    // The same run without a limit: where its file stood after each frame is
    // where a file may end.
    start(file.c_str(), NULL);
    std::set<long> ends = {FileSize(file)};
    for (int i = 0; i < 1000; i++) {
        frame(16);
        ends.insert(FileSize(file));
    }
    LFDeInit();
    std::string whole = ReadBytes(file);
    std::string bytes = ReadBytes(cut);
    EXPECT_LE(bytes.size(), 1024u);
    EXPECT_GT(bytes.size(), 200u);
    EXPECT_EQ(1u, ends.count((long)bytes.size())) << bytes.size() << " bytes: not where a frame ended";
    // The same bytes but the seed's, which LFInit draws from the real clock.
    EXPECT_EQ(whole.substr(17, bytes.size() - 17), bytes.substr(17));

    start(NULL, cut.c_str());
    int frames = PlayToTheEnd(1000);
    EXPECT_GT(frames, 100);
    EXPECT_LT(frames, 1000);
    EXPECT_EQ(0, LFReplayOutOfStep()) << LFError();
    EXPECT_EQ(nullptr, LFRecordError());
    LFDeInit();
#endif
}

// A file cut inside its last record (by a crash or a full disk mid-write)
// plays up to the cut, then ends as a used-up recording does.
TEST_F(Record, AFileCutInsideItsLastRecordPlaysUpToTheCut)
{
    std::string clockRun = Header() + std::string("\x82\x01\x02\x03\x04\x05\x05\x84\x85", 9);
    for (const std::string& cutRecord : {std::string("\x83\x80"), std::string("\x82\x01\x02"), std::string("\x86\x01"),
                                          std::string("\x81\xFF\xFF")}) {
        SCOPED_TRACE(cutRecord.size());
        WriteBytes(file, clockRun + cutRecord);
        SetVariables(NULL, file.c_str());
        ASSERT_NE(0, LFInit()) << LFError();
        EXPECT_EQ(5u, _LFGetTicks());
        EXPECT_EQ(10u, _LFGetTicks());
        SDL_Event event;
        EXPECT_EQ(0, _LFRecordPollEvent(&event));
        _LFRecordFrame();
        EXPECT_EQ(0, LFApplicationQuitRequested());
        EXPECT_EQ(10u, _LFGetTicks());
        EXPECT_NE(0, LFApplicationQuitRequested());
        EXPECT_EQ(0, LFReplayOutOfStep());
        EXPECT_STREQ("", LFError());
        EXPECT_EQ(nullptr, LFRecordError());
        LFDeInit();
        _LFRecordClose();
        LFApplicationCancelQuitRequest();
    }
}

// A program that ends with exit() and no LFDeInit keeps its whole recording.
TEST_F(Record, ARecordingEndedByExitKeepsEveryFrame)
{
#ifdef _WIN32
    GTEST_SKIP() << kNoChildProcess;
#else
    int status = RunInChild(0, [&] {
        if (!begin(file.c_str(), NULL))
            return 2;
        for (int i = 0; i < 40; i++)
            frame(16);
        exit(0);
        return 3;
    });
    ASSERT_EQ(0, status);
    start(NULL, file.c_str());
    EXPECT_EQ(40, PlayToTheEnd(100));
    EXPECT_EQ(0, LFReplayOutOfStep()) << LFError();
    LFDeInit();
#endif
}

// The whole process is one run: a program that de-inits and inits again is
// recorded, and replayed, across both sessions.
TEST_F(Record, ASecondLFInitCarriesOnTheRecordingAndTheReplay)
{
    std::vector<int> draws;
    std::vector<Uint32> times;
    start(file.c_str(), NULL);
    for (int session = 0; session < 2; session++) {
        if (session == 1) {
            ASSERT_NE(0, LFInit()) << LFError();
            LFResetLogicLoop();
        }
        draws.push_back(_LFRandom());
        for (int i = 0; i < (session ? 10 : 30); i++) {
            frame(16);
            times.push_back(_LFLogicCurrentTime);
        }
        LFDeInit();
    }

    start(NULL, file.c_str());
    for (int session = 0; session < 2; session++) {
        if (session == 1) {
            ASSERT_NE(0, LFInit()) << LFError();
            LFResetLogicLoop();
        }
        EXPECT_EQ(draws[session], _LFRandom()) << "session " << session;
        for (int i = 0; i < (session ? 10 : 30); i++) {
            frame(1);
            EXPECT_EQ(times[session * 30 + i], _LFLogicCurrentTime) << "session " << session << " frame " << i;
        }
        EXPECT_EQ(0, LFApplicationQuitRequested());
        if (session == 0)
            LFDeInit();
    }
    EXPECT_EQ(0, PlayToTheEnd(10)) << "the recording ends with the second session";
    EXPECT_EQ(0, LFReplayOutOfStep()) << LFError();
    LFDeInit();
}

// Bad files and paths are refused by LFInit with a message that says which
// and why.
TEST_F(Record, BadInputIsRefusedAtStartUp)
{
    struct Case {
        std::string bytes;  // written to the replay file, unless "none" / "dir"
        const char* expected;
    };
    std::string clockRun = Header() + std::string("\x05\x05\x84\x85", 4);
    const Case cases[] = {
        {"none", "Unable to read replay file %s: No such file or directory"},
#ifdef _WIN32
        // Windows refuses to open a directory as a file at all.
        {"dir", "Unable to read replay file %s: Permission denied"},
#else
        {"dir", "Unable to read replay file %s: Is a directory"},
#endif
        {"", "Replay file %s is empty"},
        {"LFREC", "Replay file %s is truncated"},
        {Header().substr(0, 10), "Replay file %s is truncated"},
        {"PK\x03\x04 not a recording at all", "Replay file %s is not a Larchfield recording"},
        {Header(2) + "\x05", "Replay file %s is a recording of version 2; this library replays version 1"},
        {clockRun + "\xFF", "Replay file %s is damaged at byte 16"},
        {clockRun + std::string("\x86\x00\x01", 3), "Replay file %s is damaged at byte 16"},
        {clockRun + "\x81\xFF\xFF\xFF\xFF\x7F", "Replay file %s is damaged at byte 16"},
        {clockRun + std::string("\x80\x00", 2), "Replay file %s is damaged at byte 16"},
        {clockRun + "\xFF\x83\x80", "Replay file %s is damaged at byte 16"},
#ifndef _WIN32
        // Refused after reading the header, not the whole endless device.
        {"/dev/zero", "Replay file %s is not a Larchfield recording"},
#endif
    };
    for (const Case& c : cases) {
        std::string path = c.bytes == "dir" ? dir : c.bytes[0] == '/' ? c.bytes : file;
        if (c.bytes != "none" && c.bytes != "dir" && c.bytes[0] != '/')
            WriteBytes(path, c.bytes);
        SetVariables(NULL, path.c_str());
        EXPECT_EQ(0, LFInit()) << c.expected;
        char expected[512];
        snprintf(expected, sizeof expected, c.expected, path.c_str());
        EXPECT_STREQ(expected, LFError());
        LFDeInit();
        unlink(file.c_str());
    }

    // Files of a gigabyte and more (sparse: no disk is used): zeros are
    // refused on their header, a recording past the limit for its size.
    WriteBytes(file, "");
    ASSERT_EQ(0, truncate(file.c_str(), 1L << 30));
    SetVariables(NULL, file.c_str());
    EXPECT_EQ(0, LFInit());
    EXPECT_EQ("Replay file " + file + " is not a Larchfield recording", std::string(LFError()));
    LFDeInit();
    WriteBytes(file, clockRun);
    ASSERT_EQ(0, truncate(file.c_str(), (256L << 20) + 1));
    EXPECT_EQ(0, LFInit());
    EXPECT_EQ("Replay file " + file + " is larger than the 256 MiB a recording may have", std::string(LFError()));
    LFDeInit();
    unlink(file.c_str());

    std::string missingDir = dir + "/missing/run.lfrec";
    SetVariables(missingDir.c_str(), NULL);
    EXPECT_EQ(0, LFInit());
    EXPECT_EQ("Unable to create record file " + missingDir + ": No such file or directory", std::string(LFError()));
    LFDeInit();

    WriteBytes(file, "a file, not a directory");
    std::string inFile = file + "/frames";
    SetVariables(NULL, NULL, inFile.c_str());
    EXPECT_EQ(0, LFInit());
#ifdef _WIN32
    const char* underFile = "No such file or directory";  // a file is no directory to Windows' paths
#else
    const char* underFile = "Not a directory";
#endif
    EXPECT_EQ("Unable to write captures into " + inFile + ": " + underFile, std::string(LFError()));
    LFDeInit();

    for (const char* every : {"0", "-3", "ten", "5x"}) {
        SetVariables(NULL, NULL, dir.c_str(), every);
        EXPECT_EQ(0, LFInit()) << every;
        EXPECT_EQ("LF_CAPTURE_EVERY must be a whole number of at least 1, not \"" + std::string(every) + "\"",
                  std::string(LFError()));
        LFDeInit();
    }
    SetVariables(NULL, NULL, NULL, "10");
    EXPECT_EQ(0, LFInit());
    EXPECT_STREQ("LF_CAPTURE_EVERY is set without LF_CAPTURE, the directory the frames go to", LFError());
    LFDeInit();

    // A valid recording with nothing but the header replays as used up at once.
    WriteBytes(file, Header());
    SetVariables(NULL, file.c_str());
    EXPECT_NE(0, LFInit()) << LFError();
    EXPECT_NE(0, LFApplicationQuitRequested());
    LFDeInit();
}

TEST_F(Record, CapturesEveryNthFrameAndTheLastOneFromTheBackBuffer)
{
    std::string frames = dir + "/frames";  // made by LFInit
    SetVariables(NULL, NULL, frames.c_str(), "2");
    ASSERT_NE(0, LFInit()) << LFError();
    LFWindow* window = new LFWindow(Str("capture"), LFMakeSize(64, 48));
    LFTexture* target = new LFTexture(8, 8);
    const LFColor colours[] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 1, 0.5f}, {1, 1, 0, 1}};
    for (int i = 0; i < 5; i++) {
        window->setRenderContext();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        LFDrawRectFill(LFMakeRect(0, 0, 64, 24), colours[i]);
        if (i == 3)
            target->setRenderContext();  // a texture target left selected at the swap
        if (i == 4)
            LFApplicationRequestQuit();  // the last frame is always written
        window->swapBuffers();
        if (i == 3)
            target->unsetRenderContext();
    }
    delete target;
    delete window;
    LFDeInit();

    const char* names[] = {"frame-000001.png", "frame-000002.png", "frame-000003.png", "frame-000004.png",
                           "frame-000005.png"};
    const bool written[] = {false, true, false, true, true};
    const Uint8 top[][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {128, 128, 128}, {255, 255, 0}};
    for (int i = 0; i < 5; i++) {
        std::string path = frames + "/" + names[i];
        SDL_Surface* image = IMG_Load(path.c_str());
        EXPECT_EQ(written[i], image != NULL) << path;
        if (!image)
            continue;
        EXPECT_EQ(64, image->w);
        EXPECT_EQ(48, image->h);
        EXPECT_EQ(3, image->format->BytesPerPixel) << "opaque RGB";
        const Uint8* pixels = (const Uint8*)image->pixels;
        const Uint8* upper = pixels + 10 * image->pitch + 3 * 10;
        const Uint8* lower = pixels + 40 * image->pitch + 3 * 10;
        for (int c = 0; c < 3; c++) {
            EXPECT_NEAR(top[i][c], upper[c], 1) << path << " channel " << c;
            EXPECT_EQ(0, lower[c]) << path << " channel " << c;
        }
        SDL_FreeSurface(image);
    }
}

TEST_F(Record, ACaptureThatCannotBeWrittenIsReportedOnceAndCapturingStops)
{
    std::string frames = dir + "/frames";
    SetVariables(NULL, NULL, frames.c_str());
    ASSERT_NE(0, LFInit()) << LFError();
    LFWindow* window = new LFWindow(Str("capture"), LFMakeSize(16, 16));
    window->setRenderContext();
    ASSERT_EQ(0, rmdir(frames.c_str()));
    window->swapBuffers();
    std::string expected = "Unable to write capture " + frames + "/frame-000001.png: No such file or directory";
    EXPECT_EQ(expected, std::string(LFError()));
    _LFSetError("%s", "");
    window->swapBuffers();
    EXPECT_STREQ("", LFError());
    delete window;
    LFDeInit();
    EXPECT_EQ(expected, LFRecordError()) << "a failed capture fails the run";
}

// Under a frame-rate limit the recorded run waits between frames; its replay
// starts the same frames at the same times without waiting at all.
TEST_F(Record, AReplayWaitsForNothingUnderAFrameRateLimit)
{
    LFSetFrameRateLimit(10);
    start(file.c_str(), NULL);
    std::vector<Uint32> starts;
    for (int i = 0; i < 5; i++) {
        frame(0);
        starts.push_back(_LFLogicLastTime);
    }
    EXPECT_EQ(400u, TestClock::slept) << "100 ms before every frame but the first";
    LFDeInit();

    start(NULL, file.c_str());
    for (int i = 0; i < 5; i++) {
        frame(0);
        EXPECT_EQ(starts[i], _LFLogicLastTime) << "frame " << i;
    }
    EXPECT_EQ(0u, TestClock::slept);
    EXPECT_EQ(0, LFReplayOutOfStep());
    LFDeInit();
    LFSetFrameRateLimit(0);
}

TEST_F(Record, WithoutTheVariablesNothingIsWrittenOrRead)
{
    SetVariables(NULL, NULL);
    ASSERT_NE(0, LFInit());
    EXPECT_EQ(0, _LFRecordActive);
    TestClock::install(1234);
    EXPECT_EQ(1234u, _LFGetTicks());
    EXPECT_EQ(77, _LFRecordValue(_LFRecordWindowWidth, 77));
    EXPECT_EQ(5u, _LFRecordSeed(5));
    _LFRecordFrame();
    LFDeInit();
}

// Every cut of a real recording, and seeded garbles of it, either refused at
// start with a message or replayed until it asks to quit; the sanitizer
// build watches every read.
TEST_F(Record, TheReaderSurvivesCutAndGarbledFiles)
{
    SetVariables(file.c_str(), NULL);
    ASSERT_GT(RunProgram(true).size(), 20u);
    std::string recording = ReadBytes(file);
    ASSERT_GT(recording.size(), 100u);

    SetVariables(NULL, NULL);
    ASSERT_NE(0, LFInit());
    std::mt19937 random(20240213);
    std::string fuzzed = dir + "/fuzzed.lfrec";
    setenv("LF_REPLAY", fuzzed.c_str(), 1);
    int refused = 0;
    int replayed = 0;
    for (int round = 0; round < 1200; round++) {
        std::string bytes;
        if (round < 400) {
            bytes = recording.substr(0, recording.size() * round / 400);
        } else if (round < 1000) {
            bytes = recording;
            for (int flips = 1 + random() % 4; flips > 0; flips--)
                bytes[random() % bytes.size()] = (char)random();
        } else {
            bytes = Header();
            for (int n = random() % 300; n > 0; n--)
                bytes += (char)random();
        }
        WriteBytes(fuzzed, bytes);
        _LFSetError("%s", "");
        if (!_LFRecordStart()) {
            EXPECT_STRNE("", LFError());
            EXPECT_FALSE(round < 400 && bytes.size() >= 12) << "a cut recording plays up to the cut: " << LFError();
            refused++;
        } else {
            DriveReplay(random);
            replayed++;
        }
        _LFRecordClose();
        LFApplicationCancelQuitRequest();
        LFSetWindowResizedCallback(NULL);
    }
    EXPECT_GT(refused, 100);
    EXPECT_GT(replayed, 100);
    LFDeInit();
}

}  // namespace
