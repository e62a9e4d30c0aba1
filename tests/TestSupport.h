// Shared helpers for the tests: a clock the tests set by hand, and a fixture
// that starts the library with a real window to draw into and read back.
#ifndef TESTSUPPORT_H
#define TESTSUPPORT_H

#include <math.h>  // fabsf
#include <stdio.h>  // fflush

#ifndef _WIN32
#include <signal.h>        // signal, SIGXFSZ
#include <stdlib.h>        // mkdtemp
#include <sys/resource.h>  // getrlimit, setrlimit
#include <sys/wait.h>      // waitpid
#include <unistd.h>        // fork, _exit, unlink, rmdir
#endif

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <gtest/gtest.h>

#include "Larchfield/Larchfield.h"
#include "string/LFStringPrivate.h"

// The library's clock, driven by the test: nothing sleeps. A wait of the
// library moves the clock on by its length and adds it to slept.
struct TestClock {
    static Uint32 now;
    static Uint32 slept;
    static Uint32 ticks() { return now; }
    static void delay(Uint32 ms)
    {
        now += ms;
        slept += ms;
    }
    static void install(Uint32 start = 1000)
    {
        now = start;
        slept = 0;
        _LFSetTicksSource(ticks);
        _LFSetDelayFunction(delay);
    }
    static void uninstall()
    {
        _LFSetTicksSource(NULL);
        _LFSetDelayFunction(NULL);
    }
};
inline Uint32 TestClock::now = 0;
inline Uint32 TestClock::slept = 0;

// A fresh directory under the tests' temporary directory, its name starting
// with prefix; removed when it goes, with every file named through file().
// path() is empty when the directory could not be made.
class TempDir {
public:
    explicit TempDir(const char* prefix = "lf")
    {
        std::string pattern = ::testing::TempDir() + prefix + "XXXXXX";
        if (mkdtemp(&pattern[0]))
            _path = pattern;
    }
    ~TempDir()
    {
        for (const std::string& file : _files)
            unlink(file.c_str());
        rmdir(_path.c_str());
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return _path; }
    // A path in the directory; the file is removed with the directory.
    std::string file(const std::string& name)
    {
        _files.push_back(_path + "/" + name);
        return _files.back();
    }

private:
    std::string _path;
    std::vector<std::string> _files;
};

// One RGBA pixel read back from the current framebuffer.
struct Pixel {
    unsigned char r, g, b, a;
};

// Reads the pixel at (x, y) in window coordinates (y grows downward).
inline Pixel ReadPixel(int x, int y, int windowHeight)
{
    Pixel p;
    glReadPixels(x, windowHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &p);
    return p;
}

// A mutable copy of a literal, as callers hand texts to the library.
inline char* Str(const char* text)
{
    return LFTempString("%s", text);
}

inline bool operator==(const Pixel& p, const Pixel& q)
{
    return p.r == q.r && p.g == q.g && p.b == q.b && p.a == q.a;
}

inline std::ostream& operator<<(std::ostream& os, const Pixel& p)
{
    return os << "(" << (int)p.r << ", " << (int)p.g << ", " << (int)p.b << ", " << (int)p.a << ")";
}

inline bool IsLit(Pixel p)
{
    return p.r > 127 || p.g > 127 || p.b > 127;
}

inline bool IsRed(Pixel p)
{
    return p.r > 127 && p.g < 64 && p.b < 64;
}

inline bool IsGreen(Pixel p)
{
    return p.g > 127 && p.r < 64 && p.b < 64;
}

inline bool IsBlue(Pixel p)
{
    return p.b > 127 && p.r < 64 && p.g < 64;
}

// Neither dark nor full: only a smoothed edge gives these.
inline bool IsPartial(Pixel p)
{
    return (p.r > 32 && p.r < 223) || (p.g > 32 && p.g < 223) || (p.b > 32 && p.b < 223);
}

// The colour matches the pixel read back, to within rounding of 8 bits.
inline ::testing::AssertionResult IsColour(LFColor c, Pixel p)
{
    const float tolerance = 1e-5f;
    if (fabsf(c.r - p.r / 255.0f) < tolerance && fabsf(c.g - p.g / 255.0f) < tolerance &&
        fabsf(c.b - p.b / 255.0f) < tolerance && fabsf(c.a - p.a / 255.0f) < tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << c.r << ", " << c.g << ", " << c.b << ", " << c.a
                                         << ") is not " << p << " / 255";
}

// A key event for the event queue, as SDL makes them.
inline SDL_Event KeyEvent(Uint32 type, SDL_Keycode sym, Uint32 windowID = 0)
{
    SDL_Event e = {};
    e.type = type;
    e.key.windowID = windowID;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    return e;
}

// A finger event at a position in 0..1 of the window.
inline SDL_Event FingerEvent(Uint32 type, float x, float y, Uint32 windowID)
{
    SDL_Event e = {};
    e.type = type;
    e.tfinger.x = x;
    e.tfinger.y = y;
    e.tfinger.windowID = windowID;
    return e;
}

#ifdef _WIN32
// Why the tests that need RunInChild are skipped on Windows.
inline const char* const kNoChildProcess = "a child process needs fork(), and a full disk a file size limit: Windows has neither";
#else
// Runs body in a child process and returns its exit status, -1 when it did
// not exit. With fileSizeLimit above 0 the child writes files of at most that
// many bytes and a write past it fails, as under `ulimit -f` in a shell that
// ignores SIGXFSZ: a full disk without filling one.
// Note: call it before the library starts in this process.
inline int RunInChild(long fileSizeLimit, const std::function<int()>& body)
{
    fflush(NULL);
    pid_t pid = fork();
    if (pid == 0) {
        if (fileSizeLimit > 0) {
            signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit;
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = (rlim_t)fileSizeLimit;
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        _exit(body());
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
#endif

// The library started with one 2D window, cleared to black, drawn into
// directly (nothing is swapped: reads come from the back buffer).
class WindowTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 64;
    static constexpr int kHeight = 48;

    void SetUp() override
    {
        ASSERT_NE(0, LFInit()) << LFError();
        // Keep the X pointer away from the window, so that no pointer events
        // of the X server mix with the events a test pushes.
        SDL_WarpMouseGlobal(4000, 4000);
        window = new LFWindow(LFTempString("test"), LFMakeSize(kWidth, kHeight));
        window->setRenderContext();
        glReadBuffer(GL_BACK);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    void TearDown() override
    {
        delete window;
        _LFCleanTempStrings();
        LFDeInit();
    }

    Pixel at(int x, int y) { return ReadPixel(x, y, kHeight); }
    // True when the pixel is lit (any colour channel above half).
    bool lit(int x, int y)
    {
        Pixel p = at(x, y);
        return p.r > 127 || p.g > 127 || p.b > 127;
    }

    LFWindow* window = nullptr;
};

// WindowTest's window and a second one, each with its own context; the first
// is current when a test starts (the caches' tests).
class TwoWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        openOther();
        window->setRenderContext();
    }

    void TearDown() override
    {
        delete other;
        WindowTest::TearDown();
    }

    // Opens the second window and makes it current.
    virtual void openOther()
    {
        other = new LFWindow(LFTempString("other"), LFMakeSize(kWidth, kHeight));
        other->setRenderContext();
        glReadBuffer(GL_BACK);
    }

    LFWindow* other = nullptr;
};

#endif
