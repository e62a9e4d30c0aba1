// Music over SDL2_mixer's music channel: one piece at a time, streamed from
// its file, under the sounds' master volume.
#include <SDL_mixer.h>

#include "LFLoadError.h"
#include "LFMusic.h"
#include "audio/LFAudioPrivate.h"
#include "audio/LFMusicPrivate.h"
#include "record/LFRecordPrivate.h"
#include "system/LFApplicationPrivate.h"

// The piece played last on the music channel, until it is deleted: the
// mixer does not tell which piece it plays.
static LFMusic* _LFMusicOnChannel = NULL;
static int _LFMusicVolume = MIX_MAX_VOLUME;  // that piece's own volume

// Non-zero while this piece holds the channel of an open device.
static int _LFHoldsChannel(const LFMusic* music)
{
    return _LFAudioInitialized && music == _LFMusicOnChannel;
}

void _LFUpdateMusicVolume()
{
    if (_LFAudioInitialized)
        Mix_VolumeMusic(_LFScaledVolume(_LFMusicVolume));
}

LFMusic::LFMusic(const char* path)
{
    _volume = MIX_MAX_VOLUME;
    if (!_LFAudioInitialized) {
        _LFSetError("Unable to load music %s: the audio device is not open", path ? path : "(null)");
        throw LFLoadError(LFError());
    }
    _music = path ? Mix_LoadMUS(path) : NULL;
    if (!_music) {
        _LFSetError("Unable to load music %s: %s", path ? path : "(null)", path ? Mix_GetError() : "no path");
        throw LFLoadError(LFError());
    }
}

// The mixer would wait for a fade-out to end before freeing the piece: it
// is halted first.
LFMusic::~LFMusic()
{
    if (_LFHoldsChannel(this))
        Mix_HaltMusic();
    if (this == _LFMusicOnChannel)
        _LFMusicOnChannel = NULL;
    Mix_FreeMusic(_music);
}

// Starts the piece, fading in over milliseconds (0: at once). The mixer
// would wait for a piece fading out to finish: it is halted first.
int LFMusic::_start(int milliseconds, int loops)
{
    int started = 0;
    if (!_LFAudioInitialized) {
        _LFSetError("Unable to play music: the audio device is not open");
    } else {
        if (Mix_FadingMusic() == MIX_FADING_OUT)
            Mix_HaltMusic();
        _LFMusicOnChannel = this;
        _LFMusicVolume = _volume;
        _LFUpdateMusicVolume();
        started = Mix_FadeInMusic(_music, loops, milliseconds > 0 ? milliseconds : 0) == 0;
        if (!started)
            _LFSetError("Unable to play music: %s", Mix_GetError());
    }
    // Whether the decoder and the device take it is the outside world's say:
    // a replay answers as the recorded run did.
    return _LFRecordValue(_LFRecordMusicStarted, started ? -1 : 0);
}

int LFMusic::play(int loops)
{
    return _start(0, loops);
}

int LFMusic::fadeIn(int milliseconds, int loops)
{
    return _start(milliseconds, loops);
}

void LFMusic::pause()
{
    if (_LFHoldsChannel(this))
        Mix_PauseMusic();
}

void LFMusic::resume()
{
    if (_LFHoldsChannel(this))
        Mix_ResumeMusic();
}

void LFMusic::stop()
{
    if (_LFHoldsChannel(this))
        Mix_HaltMusic();
}

void LFMusic::fadeOut(int milliseconds)
{
    if (_LFHoldsChannel(this))
        Mix_FadeOutMusic(milliseconds > 0 ? milliseconds : 0);
}

void LFMusic::setVolume(int volume)
{
    _volume = volume;
    if (this == _LFMusicOnChannel) {
        _LFMusicVolume = volume;
        _LFUpdateMusicVolume();
    }
}

int LFMusic::isPlaying()
{
    return _LFRecordValue(_LFRecordMusicPlaying, _LFHoldsChannel(this) && Mix_PlayingMusic() ? 1 : 0);
}
