// The audio device, opened by LFInitAudio (declared in LFInit.h beside the
// library's start-up) and closed by LFDeInit; the sounds play through it.
#include <SDL_mixer.h>  // Mix_OpenAudio, Mix_CloseAudio, Mix_HaltMusic

#include "audio/LFAudioPrivate.h"
#include "system/LFApplicationPrivate.h"

// Audio device state, set by LFInitAudio and cleared by _LFDeInitAudio; the
// sound module reads it to keep away from a closed mixer.
int _LFAudioInitialized = 0;

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
