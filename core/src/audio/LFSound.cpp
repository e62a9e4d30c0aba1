// Sound effects over SDL2_mixer: samples loaded from files, played on the
// first free mixer channel and scaled by one master volume.
#include <limits.h>  // INT_MAX, INT_MIN

#include <new>  // std::bad_alloc

#include "LFSound.h"
#include "audio/LFAudioPrivate.h"
#include "record/LFRecordPrivate.h"

// The master volume, nominally 0..128, set by LFSetSoundVolume and applied to
// a sound whenever it is played or re-volumed. Stored as given, like a sound's
// own volume: the mixer does its own clamping.
static int _LFMasterVolume = MIX_MAX_VOLUME;

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

// A sound's own volume scaled by the master volume, truncated toward zero.
// Both are whatever int the caller gave, so the product can lie far outside
// the int range, where converting it would be undefined: it is held to the
// int range first. The mixer plays anything above 128 at 128 and reads a
// negative volume as a query that changes nothing.
static int _LFScaledVolume(int volume)
{
    double scaled = _LFMasterVolume * (volume / 128.0);
    if (scaled > INT_MAX)
        return INT_MAX;
    if (scaled < INT_MIN)
        return INT_MIN;
    return (int)scaled;
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

LFSound::LFSound(char* path)
{
    channel = -1;
    vol = MIX_MAX_VOLUME;
    sound = Mix_LoadWAV(path);
    if (!sound)
        throw std::bad_alloc();
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
