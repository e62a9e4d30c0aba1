// Sound effects: one sample loaded from a file and played on whichever mixer
// channel is free, under one master volume. Open the device first (LFInitAudio).
#ifndef LFSOUND_H
#define LFSOUND_H

#include <SDL_mixer.h>  // Mix_Chunk

// Sets the number of mixer channels (8 until called); channels cut off are halted.
// Note: acts on the open device only; every LFInitAudio starts again with 8.
void LFSetMixingChannels(int channels);
// Sets every channel to volume v (0..128) at once and scales every sound
// played or re-volumed afterwards by v/128. v is stored as given; the mixer
// plays more than 128 as 128 and takes a negative v as a query that changes
// no channel (later sounds then keep their channel's volume). Kept while the
// device is closed.
void LFSetSoundVolume(int v);
// Halts every channel. The sounds keep their channel numbers.
void LFStopAllSounds();

// All playback calls are harmless while the device is closed: nothing plays,
// and queries return 0.
class LFSound {
public:
    // Always throws std::bad_alloc: a sound exists only with a sample.
    LFSound();
    // Loads a sample in any format the mixer decodes. Throws LFLoadError
    // (a std::bad_alloc) when the file cannot be loaded or decoded, or no
    // device is open, with "<path>: <the mixer's reason>" in LFError().
    LFSound(const char* path);
    // Halts the sound's voices and frees the sample.
    ~LFSound();
    LFSound(const LFSound&) = delete;
    LFSound& operator=(const LFSound&) = delete;

    // Plays on the first free channel that is not reserved, loop extra times
    // (-1: until stopped), at master volume * vol / 128. -1 on success; 0 when
    // no channel is free (or no device), nothing plays.
    // Note: playing again while still playing starts a second voice and the
    // sound forgets the first one.
    int play(int loop);
    // Halts the sound's channel and forgets it.
    void stop();
    // Sets the sound's own volume (0..128, stored as given); a channel held
    // plays at once at master volume * volume / 128, truncated, which the
    // mixer holds to 128 (a negative result changes nothing).
    void setVolume(int volume);
    // The channel's current volume after master scaling; 0 without a channel.
    int volume();
    // 1 while the channel plays; 0 without a channel or once it has finished.
    int isPlaying();
    // Pans the channel; each side is cut to its low 8 bits (0 silent .. 255 full).
    void setPanning(int left, int right);
    // Attenuates the channel; cut to its low 8 bits (0 near .. 255 far).
    void setDistance(int distance);

    // The decoded sample, owned.
    Mix_Chunk* sound;
    // Mixer channel of the last successful play, kept after the sample ends by
    // itself (it may by then carry another sound); -1 for none.
    int channel;
    // The sound's own volume, nominally 0..128, as last given.
    int vol;
};

#endif
