// Library start-up and shutdown, the executable path, the error text and the
// application state.
#include <stdlib.h>  // setenv
#include <string.h>
#include <unistd.h>  // getcwd, chdir, readlink

#include <string>

#ifdef _WIN32
#include <winsock2.h>  // socket, closesocket, WSAGetLastError
#endif

#include "TestSupport.h"
#include "system/LFApplicationPrivate.h"

static std::string CurrentDirectory()
{
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? buffer : "";
}

// The directory of this test program, asked of the system.
static std::string ExecutableDirectory()
{
    char exe[4096];
#ifdef _WIN32
    DWORD n = GetModuleFileNameA(NULL, exe, sizeof exe);
    const char separator = '\\';
#else
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    const char separator = '/';
#endif
    if (n <= 0 || n >= (int)sizeof exe)
        return "";
    exe[n] = '\0';
    return std::string(exe, strrchr(exe, separator));
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
    // LFInit on a copy of path: the name, the directory, what the caller's
    // string then holds, and the working directory left as it was.
    void expectSplit(const char* path, const char* name, const char* directory, const char* callersString)
    {
        std::string copy = path;
        LFInit(&copy[0]);
        EXPECT_STREQ(name, LFApplicationName) << path;
        EXPECT_STREQ(directory, LFExecutablePath) << path;
        EXPECT_STREQ(callersString, copy.c_str()) << path;
        EXPECT_EQ(start, CurrentDirectory()) << path << ": a missing directory is ignored";
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
    expectSplit("/nonexistent/Toy.app/Contents/MacOS/toy", "toy", "/nonexistent/Toy.app/Contents/MacOS/",
                "/nonexistent/Toy.app/Contents/MacOS/toy");
}

TEST_F(InitPath, BareFileNameIsFoundWhereTheExecutableLives)
{
    // A program typed by name was found through PATH: its directory is that of
    // the running executable, wherever the process was started.
    std::string exeDir = ExecutableDirectory();
    ASSERT_NE("", exeDir);
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

#ifdef _WIN32
TEST_F(InitPath, WindowsPathsSplitAtTheBackslashAndTheSlash)
{
    expectSplit("D:\\apps\\toy\\toy.exe", "toy.exe", "D:\\apps\\toy", "D:\\apps\\toy");
    expectSplit("D:\\apps/toy\\bin/toy.exe", "toy.exe", "D:\\apps/toy\\bin", "D:\\apps/toy\\bin");

    TempDir temp("lfinit");
    std::string native = temp.path() + "\\toy.exe";
    ASSERT_NE(0, LFInit(&native[0]));
    EXPECT_EQ(temp.path(), LFExecutablePath);
    EXPECT_EQ(temp.path(), CurrentDirectory());
}

// Sockets can be made while the library runs, and not before or after.
TEST(Init, SocketLibraryIsStartedAndShutDown)
{
    EXPECT_EQ(INVALID_SOCKET, socket(AF_INET, SOCK_STREAM, 0));
    EXPECT_EQ(WSANOTINITIALISED, WSAGetLastError());

    ASSERT_EQ(-1, LFInit());
    ASSERT_EQ(-1, LFInit()) << "a second start is no second reference";
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    EXPECT_NE(INVALID_SOCKET, s);
    closesocket(s);
    LFDeInit();

    EXPECT_EQ(INVALID_SOCKET, socket(AF_INET, SOCK_STREAM, 0));
    EXPECT_EQ(WSANOTINITIALISED, WSAGetLastError());
}
#endif

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
