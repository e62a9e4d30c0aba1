// Sound effects over SDL2_mixer: samples loaded from files, played on the
// first free mixer channel and scaled by one master volume.
#include <new>  // std::bad_alloc

#include "LFLoadError.h"
#include "LFSound.h"
#include "audio/LFAudioPrivate.h"
#include "audio/LFMusicPrivate.h"
#include "record/LFRecordPrivate.h"
#include "system/LFApplicationPrivate.h"

// The mixer keeps its channel count after closing but frees the channels, so
// a channel call on a closed device reads freed memory: every call waits for
// an open device.
static int _LFMixerOpen()
{
    return _LFAudioInitialized;
}

static int _LFHasMixerChannel(int channel)
{
    return channel != -1 && _LFMixerOpen();
}

// Mixer panning and distance take 8-bit values.
static Uint8 _LFLow8Bits(int value)
{
    return (Uint8)(value & 0xFF);
}

void LFSetMixingChannels(int channels)
{
    if (_LFMixerOpen())
        Mix_AllocateChannels(channels);
}

void LFSetSoundVolume(int v)
{
    if (_LFMixerOpen())
        Mix_Volume(-1, v);
    _LFMasterVolume = v;
    _LFUpdateMusicVolume();
}

void LFStopAllSounds()
{
    if (_LFMixerOpen())
        Mix_HaltChannel(-1);
}

LFSound::LFSound()
{
    throw std::bad_alloc();
}

LFSound::LFSound(const char* path)
{
    channel = -1;
    vol = MIX_MAX_VOLUME;
    sound = Mix_LoadWAV(path);
    if (!sound) {
        _LFSetError("%s: %s", path, Mix_GetError());
        throw LFLoadError(LFError());
    }
}

// Mix_FreeChunk also halts a second voice the sound forgot, so the mixer never
// reads a freed sample.
LFSound::~LFSound()
{
    if (!sound)
        return;
    stop();
    Mix_FreeChunk(sound);
    sound = NULL;
    channel = -1;
}

// The mixer picks the first free channel that is not reserved
// (Mix_ReserveChannels); the voice gets its volume right after it starts.
int LFSound::play(int loop)
{
    channel = _LFMixerOpen() ? Mix_PlayChannel(-1, sound, loop) : -1;
    if (channel != -1)
        setVolume(vol);
    // Which channels are free depends on the audio thread: a replay answers as
    // the recorded run did.
    return _LFRecordValue(_LFRecordSoundPlayed, channel == -1 ? 0 : -1);
}

void LFSound::stop()
{
    if (_LFHasMixerChannel(channel))
        Mix_HaltChannel(channel);
    channel = -1;
}

void LFSound::setVolume(int volume)
{
    vol = volume;
    if (_LFHasMixerChannel(channel))
        Mix_Volume(channel, _LFScaledVolume(vol));
}

int LFSound::volume()
{
    return _LFRecordValue(_LFRecordSoundVolume, _LFHasMixerChannel(channel) ? Mix_Volume(channel, -1) : 0);
}

int LFSound::isPlaying()
{
    return _LFRecordValue(_LFRecordSoundPlaying, _LFHasMixerChannel(channel) ? Mix_Playing(channel) : 0);
}

void LFSound::setPanning(int left, int right)
{
    if (_LFHasMixerChannel(channel))
        Mix_SetPanning(channel, _LFLow8Bits(left), _LFLow8Bits(right));
}

void LFSound::setDistance(int distance)
{
    if (_LFHasMixerChannel(channel))
        Mix_SetDistance(channel, _LFLow8Bits(distance));
}
