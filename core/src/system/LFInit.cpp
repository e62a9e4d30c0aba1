// Library start-up and shutdown: paths, SDL, key tables, logic rate, random
// seed; at shutdown also the audio device (audio/), the game pad and the caches.
#include <stdlib.h>  // getenv, malloc, free
#include <string.h>  // strdup, strlen, strstr
#include <time.h>    // time

#include <filesystem>    // std::filesystem::current_path
#include <new>           // std::bad_alloc
#include <system_error>  // std::error_code

#ifdef __GLIBC__
#include <malloc.h>  // mallopt
#endif
#ifdef _WIN32
#include <winsock2.h>  // WSAStartup, WSACleanup
#endif

#include "LFInit.h"
#include "LFLogicTiming.h"
#include "LFTextureCache.h"
#include "audio/LFAudioPrivate.h"
#include "graphics/LFBatchPrivate.h"
#include "graphics/LFFontCache.h"
#include "gui/LFUIGlobalFontPrivate.h"
#include "input/LFGamePadPrivate.h"
#include "input/LFKeyboardPrivate.h"
#include "math/LFRandomPrivate.h"
#include "record/LFRecordPrivate.h"
#include "system/LFApplicationPrivate.h"

// The directory separator. Windows takes the slash as well as its own
// backslash.
static int _LFIsDirSep(char c)
{
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

#ifdef _WIN32
// Whether WSAStartup succeeded and WSACleanup is owed.
static int _LFSocketsStarted = 0;
#endif

// The directory of the running executable, without its trailing separator,
// as a heap copy; null if the system cannot tell.
static char* _LFRunningExecutableDirectory()
{
    char* base = SDL_GetBasePath();
    if (!base)
        return NULL;
    size_t length = strlen(base);
    if (length > 1 && _LFIsDirSep(base[length - 1]))
        base[length - 1] = '\0';
    char* directory = strdup(base);
    SDL_free(base);
    return directory;
}

// Sets LFApplicationName and LFExecutablePath from a path, cutting the
// caller's string down to the directory.
static void _LFSplitExecutablePath(char* path)
{
    free(LFExecutablePath);
    free(LFApplicationName);

    // Index 0 is never taken as the separator: "/name" has no directory part.
    int i = (int)strlen(path);
    while (i > 0 && !_LFIsDirSep(path[i]))
        i--;
    if (i == 0) {
        // No directory part: the whole string is the name. A program started
        // by a bare name was found through PATH, so its directory is the one
        // the running executable really lives in; "." where that is unknown.
        LFApplicationName = strdup(path);
        LFExecutablePath = (path[0] && !_LFIsDirSep(path[0])) ? _LFRunningExecutableDirectory() : NULL;
        if (!LFExecutablePath)
            LFExecutablePath = strdup(".");
        return;
    }

    LFApplicationName = strdup(path + i + 1);
    if (strstr(path, "Contents/MacOS")) {
        // Inside an application bundle the directory keeps its separator; the
        // caller's string is cut just for the copy and left whole.
        char saved = path[i + 1];
        path[i + 1] = '\0';
        LFExecutablePath = strdup(path);
        path[i + 1] = saved;
    } else {
        path[i] = '\0';
        LFExecutablePath = strdup(path);
    }
}

// The error buffer, holding an empty string; 0 when it cannot be allocated.
static int _LFInitError()
{
    if (!_LFError) {
        _LFError = (char*)malloc(_LFErrorSize);
        if (!_LFError)
            return 0;
    }
    _LFError[0] = '\0';
    return -1;
}

int LFInit(char* executablePath)
{
    if (!executablePath) {
        if (_LFInitError())
            _LFSetError("No executable path given");
        return 0;
    }
    _LFSplitExecutablePath(executablePath);
    _LFRecordRememberWorkingDirectory();
    if (LFExecutablePath) {
        // On failure staying in the current directory is all that can be done.
        std::error_code ignored;
        std::filesystem::current_path(LFExecutablePath, ignored);
    }
    return LFInit();
}

// Keeps up to 64 MB of freed memory at the top of the heap rather than
// handing it back to the system at once (glibc only). A software OpenGL
// driver (Mesa's llvmpipe) takes several megabytes of working memory for a
// frame and frees them once it is drawn; handed back, they come again as
// fresh pages, a page fault each, every frame. Whether glibc hands them back
// depends otherwise on its thresholds, which move with the sizes of the
// blocks freed before, so the same program drew at different speeds from one
// run to the next. A threshold the user set in the environment is kept.
static void _LFKeepFreedMemory()
{
#ifdef __GLIBC__
    const char* tunables = getenv("GLIBC_TUNABLES");
    if (getenv("MALLOC_TRIM_THRESHOLD_") || (tunables && strstr(tunables, "malloc.trim_threshold")))
        return;
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

int LFInit()
{
    if (!_LFInitError())
        return 0;
    _LFKeepFreedMemory();

    if (!_LFGlobalFontCache) {
        try {
            _LFGlobalFontCache = new _LFFontCache();
        } catch (std::bad_alloc&) {
            _LFSetError("Unable to create global font cache.");
            return 0;
        }
    }

    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) < 0) {
        _LFSetError("Error initializing SDL: %s", SDL_GetError());
        return 0;
    }
    SDL_JoystickEventState(SDL_ENABLE);
    _LFInitKeys();
    LFSetLogicInterval(60);

    Uint16 one = 1;
    _LFEndianness = (*(Uint8*)&one == 1) ? -1 : 0;

#ifdef _WIN32
    // Nothing here uses sockets; programs built on the library may.
    if (!_LFSocketsStarted) {
        WSADATA data;
        if (WSAStartup(0x0101, &data) != 0) {
            _LFSetError("Unable to initialize socket lib");
            return 0;
        }
        _LFSocketsStarted = -1;
    }
#endif

    // LF_RECORD, LF_REPLAY and LF_CAPTURE take effect from here on.
    if (!_LFRecordStart())
        return 0;
    _LFSeedRandom(_LFRecordSeed((unsigned int)time(NULL)));
    return -1;
}

void LFDeInit()
{
    _LFRecordStop();
    _LFEndAllBatches();
    _LFDeInitAudio();

    free(LFExecutablePath);
    LFExecutablePath = NULL;
    free(LFApplicationName);
    LFApplicationName = NULL;

    if (_LFGamePad) {
        SDL_JoystickClose(_LFGamePad);
        _LFGamePad = NULL;
    }

    delete _LFGlobalFontCache;
    _LFGlobalFontCache = NULL;
    free(_LFUIGlobalFontPath);
    _LFUIGlobalFontPath = NULL;

    LFTextureCachePurge();

#ifdef _WIN32
    if (_LFSocketsStarted) {
        WSACleanup();
        _LFSocketsStarted = 0;
    }
#endif

    free(_LFError);
    _LFError = NULL;

    SDL_Quit();
}
