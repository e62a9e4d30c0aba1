// The audio device, opened by LFInitAudio (declared in LFInit.h beside the
// library's start-up) and closed by LFDeInit, and the master volume; the
// sounds and the music play through it.
#include <limits.h>  // INT_MAX, INT_MIN

#include <SDL_mixer.h>  // Mix_OpenAudio, Mix_CloseAudio, Mix_HaltMusic

#include "audio/LFAudioPrivate.h"
#include "system/LFApplicationPrivate.h"

// Audio device state, set by LFInitAudio and cleared by _LFDeInitAudio; the
// sounds and the music read it to keep away from a closed mixer.
int _LFAudioInitialized = 0;

// Stored as given, like a sound's own volume: the mixer does its own clamping.
int _LFMasterVolume = MIX_MAX_VOLUME;

// A sound's or the music's own volume scaled by the master volume, truncated
// toward zero. Both are whatever int the caller gave, so the product can lie
// far outside the int range, where converting it would be undefined: it is
// held to the int range first. The mixer plays anything above 128 at 128
// and reads a negative volume as a query that changes nothing.
int _LFScaledVolume(int volume)
{
    double scaled = _LFMasterVolume * (volume / 128.0);
    if (scaled > INT_MAX)
        return INT_MAX;
    if (scaled < INT_MIN)
        return INT_MIN;
    return (int)scaled;
}

int LFInitAudio()
{
    return LFInitAudio(44100, AUDIO_S16LSB, 2, 1024);
}

// Every open holds one reference on SDL's audio subsystem and every close or
// failure gives it back: SDL picks its driver only when the subsystem starts,
// so a reference kept after a failure would pin the driver that failed.
int LFInitAudio(int audioRate, Uint16 audioFormat, int audioChannels, int audioBuffers)
{
    _LFDeInitAudio();

    if (SDL_Init(SDL_INIT_AUDIO) < 0) {
        _LFSetError("Couldn't initialize SDL: %s", SDL_GetError());
        return 0;
    }
    if (Mix_OpenAudio(audioRate, audioFormat, audioChannels, audioBuffers) != 0) {
        _LFSetError("Unable to initialize audio: %s", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }

    _LFAudioInitialized = -1;
    return -1;
}

void _LFDeInitAudio()
{
    if (!_LFAudioInitialized)
        return;
    Mix_HaltMusic();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    _LFAudioInitialized = 0;
}
