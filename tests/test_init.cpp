// Library start-up and shutdown, the executable path, the error text and the
// application state.
#include <stdlib.h>  // setenv
#include <string.h>
#include <unistd.h>  // getcwd, chdir, readlink

#include <string>

#include "TestSupport.h"
#include "system/LFApplicationPrivate.h"

static std::string CurrentDirectory()
{
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? buffer : "";
}

TEST(Init, ErrorTextExistsOnlyWhileTheLibraryRuns)
{
    EXPECT_EQ(nullptr, LFError());
    _LFSetError("ignored %d", 1);  // no buffer yet: nothing happens
    ASSERT_NE(0, LFInit());
    ASSERT_NE(nullptr, LFError());
    EXPECT_STREQ("", LFError());
    LFDeInit();
    EXPECT_EQ(nullptr, LFError());
}

TEST(Init, ErrorTextIsCutAt511Characters)
{
    ASSERT_NE(0, LFInit());
    std::string longText(600, 'x');
    _LFSetError("%s", longText.c_str());
    EXPECT_EQ(511u, strlen(LFError()));
    std::string exact(511, 'y');
    _LFSetError("%s", exact.c_str());
    EXPECT_EQ(exact, LFError());
    _LFSetError("Error initializing SDL: %s", "100% broken");
    EXPECT_STREQ("Error initializing SDL: 100% broken", LFError());
    LFDeInit();
}

TEST(Init, InitSetsTheRateAndTheEndianness)
{
    _LFEndianness = 7;
    ASSERT_EQ(-1, LFInit());
    EXPECT_EQ(60u, LFLogicInterval());
    EXPECT_EQ(-1, _LFEndianness);  // x86 and ARM Linux are little-endian
    EXPECT_EQ(0, LFGUIFontCacheSize());
    LFClearGUIFontCache();
    LFDeInit();
}

TEST(Init, SdlFailureIsReported)
{
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    EXPECT_EQ(0, LFInit());
    ASSERT_NE(nullptr, LFError());
    EXPECT_EQ(0, strncmp(LFError(), "Error initializing SDL: ", 24)) << LFError();
    LFDeInit();
    unsetenv("SDL_VIDEODRIVER");
    EXPECT_EQ(nullptr, LFError());
}

TEST(Init, NullPathFailsWithTheReason)
{
    EXPECT_EQ(0, LFInit((char*)NULL));
    ASSERT_NE(nullptr, LFError());
    EXPECT_STREQ("No executable path given", LFError());
    EXPECT_EQ(nullptr, LFExecutablePath);
    LFDeInit();
    EXPECT_EQ(nullptr, LFError());
}

TEST(Init, DeInitTwiceIsHarmless)
{
    ASSERT_NE(0, LFInit());
    LFDeInit();
    LFDeInit();
    EXPECT_EQ(nullptr, LFExecutablePath);
    EXPECT_EQ(nullptr, LFApplicationName);
}

class InitPath : public ::testing::Test {
protected:
    void SetUp() override { start = CurrentDirectory(); }
    void TearDown() override
    {
        LFDeInit();
        EXPECT_EQ(0, chdir(start.c_str()));
    }
    std::string start;
};

TEST_F(InitPath, SplitsNameAndDirectoryAndChangesDirectory)
{
    TempDir temp("lfinit");
    std::string dir = temp.path();
    std::string path = dir + "/toy";
    std::vector<char> copy(path.begin(), path.end());
    copy.push_back('\0');
    ASSERT_NE(0, LFInit(copy.data()));
    EXPECT_STREQ("toy", LFApplicationName);
    EXPECT_EQ(dir, LFExecutablePath);
    EXPECT_EQ(dir, std::string(copy.data())) << "the caller's string holds the directory";
    EXPECT_EQ(dir, CurrentDirectory());
}

TEST_F(InitPath, BundlePathKeepsItsSeparatorAndTheCallersString)
{
    char path[] = "/nonexistent/Toy.app/Contents/MacOS/toy";
    LFInit(path);
    EXPECT_STREQ("toy", LFApplicationName);
    EXPECT_STREQ("/nonexistent/Toy.app/Contents/MacOS/", LFExecutablePath);
    EXPECT_STREQ("/nonexistent/Toy.app/Contents/MacOS/toy", path);
    EXPECT_EQ(start, CurrentDirectory()) << "a missing directory is ignored";
}

TEST_F(InitPath, BareFileNameIsFoundWhereTheExecutableLives)
{
    // A program typed by name was found through PATH: its directory is that of
    // the running executable, wherever the process was started.
    char exe[4096];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    ASSERT_GT(n, 0);
    exe[n] = '\0';
    std::string exeDir(exe, strrchr(exe, '/'));
    TempDir temp("lfinit");
    ASSERT_EQ(0, chdir(temp.path().c_str()));

    // Only the bytes of the string itself may be touched: the copy is exact.
    char* path = (char*)malloc(4);
    memcpy(path, "toy", 4);
    ASSERT_NE(0, LFInit(path));
    EXPECT_STREQ("toy", LFApplicationName);
    EXPECT_EQ(exeDir, LFExecutablePath);
    EXPECT_STREQ("toy", path);
    EXPECT_EQ(exeDir, CurrentDirectory());
    free(path);
}

TEST_F(InitPath, SeparatorAtTheStartIsNotADirectory)
{
    char path[] = "/toy";
    ASSERT_NE(0, LFInit(path));
    EXPECT_STREQ("/toy", LFApplicationName);
    EXPECT_STREQ(".", LFExecutablePath);
    EXPECT_STREQ("/toy", path);
    EXPECT_EQ(start, CurrentDirectory()) << "a path with a separator is never looked up";
}

TEST_F(InitPath, EmptyPathIsHarmless)
{
    char path[] = "";
    ASSERT_NE(0, LFInit(path));
    EXPECT_STREQ("", LFApplicationName);
    EXPECT_STREQ(".", LFExecutablePath);
}

TEST_F(InitPath, PlainInitLeavesPathsAndDirectoryAlone)
{
    ASSERT_NE(0, LFInit());
    EXPECT_EQ(nullptr, LFApplicationName);
    EXPECT_EQ(nullptr, LFExecutablePath);
    EXPECT_EQ(start, CurrentDirectory());
}

TEST(Application, QuitRequestIsAPlainFlag)
{
    EXPECT_EQ(0, LFApplicationQuitRequested());
    LFApplicationRequestQuit();
    EXPECT_EQ(-1, LFApplicationQuitRequested());
    LFApplicationRequestQuit();
    EXPECT_EQ(-1, LFApplicationQuitRequested());
    LFApplicationCancelQuitRequest();
    EXPECT_EQ(0, LFApplicationQuitRequested());
}

TEST(Application, UIColoursStartAtTheirDefaultsAndAreSetInOrder)
{
    EXPECT_EQ(0.5f, _LFUIBackroundColor.r);
    EXPECT_EQ(0.75f, _LFUIFocusColor.r);
    EXPECT_EQ(1.0f, _LFUITextColor.g);
    LFSetUIColor(LFMakeColor(1, 0, 0, 0), LFMakeColor(2, 0, 0, 0), LFMakeColor(3, 0, 0, 0),
                 LFMakeColor(4, 0, 0, 0), LFMakeColor(5, 0, 0, 0), LFMakeColor(6, 0, 0, 0));
    EXPECT_EQ(1, _LFUIBorderColor.r);
    EXPECT_EQ(2, _LFUIBackroundColor.r);
    EXPECT_EQ(3, _LFUIBackgroundColor_Interaction.r);
    EXPECT_EQ(4, _LFUISelectionColor.r);
    EXPECT_EQ(5, _LFUIFocusColor.r);
    EXPECT_EQ(6, _LFUITextColor.r);
}
