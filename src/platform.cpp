// The game's workarounds for the machine it runs on (platform.h).
#include <stdlib.h>  // getenv
#include <string.h>  // strcmp

#include <string>

#include "Larchfield/Larchfield.h"
#include "platform.h"

// Without a display SDL falls back to an invisible off-screen window; a
// player would see nothing, so that only counts when asked for by name.
bool hasDisplay()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    bool invisible = driver && (strcmp(driver, "offscreen") == 0 || strcmp(driver, "dummy") == 0);
    return !invisible || getenv("SDL_VIDEODRIVER") != nullptr;
}

// SDL's Wayland driver cannot work without a socket to reach: a socket path
// or descriptor, or the runtime directory the default socket lives in.
// Probing it then only makes the Wayland client library print an error, so
// SDL is asked to try every other driver, in its own order.
void skipUnreachableWayland()
{
    const char* display = getenv("WAYLAND_DISPLAY");
    const char* runtimeDir = getenv("XDG_RUNTIME_DIR");
    if (getenv("SDL_VIDEODRIVER") || getenv("WAYLAND_SOCKET") || (display && display[0] == '/') ||
        (runtimeDir && runtimeDir[0] == '/'))
        return;
    std::string drivers;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); i++) {
        if (strcmp(SDL_GetVideoDriver(i), "wayland") != 0)
            drivers += (drivers.empty() ? "" : ",") + std::string(SDL_GetVideoDriver(i));
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
}

// ALSA prints its own errors to standard error when SDL probes it: eight
// lines where there is no sound card. While the game opens the audio device
// ALSA's error handler is one that says nothing (the library is loaded here
// for that, so SDL loads the same instance); the game says why itself.
typedef void (*AlsaErrorHandler)(const char* file, int line, const char* function, int error, const char* format,
                                 ...);
static void quietAlsaError(const char*, int, const char*, int, const char*, ...)
{
}

static void setAlsaErrorHandler(void* alsa, AlsaErrorHandler handler)
{
    typedef int (*SetHandler)(AlsaErrorHandler);
    SetHandler set = alsa ? (SetHandler)SDL_LoadFunction(alsa, "snd_lib_error_set_handler") : nullptr;
    if (set)
        set(handler);
}

std::string initAudio()
{
    void* alsa = SDL_LoadObject("libasound.so.2");
    setAlsaErrorHandler(alsa, quietAlsaError);
    int opened = LFInitAudio();
    setAlsaErrorHandler(alsa, nullptr);
    if (alsa)
        SDL_UnloadObject(alsa);
    if (opened)
        return "";
    std::string reason = LFError();
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    LFInitAudio();
    return reason;
}
