// Music: one piece at a time streamed from a file through the mixer's music
// channel, beside the sounds and under the same master volume. Open the
// device first (LFInitAudio); SDL's dummy driver plays it silently.
#ifndef LFMUSIC_H
#define LFMUSIC_H

#include <SDL_mixer.h>  // Mix_Music

// All playback calls are harmless while the device is closed: nothing plays,
// and isPlaying returns 0. A piece's calls other than play and fadeIn act
// only while it is the one on the music channel.
class LFMusic {
public:
    // Opens a piece in any format the mixer decodes (Debian's decodes WAV,
    // OGG, FLAC and MP3, among others). Throws LFLoadError (a std::bad_alloc)
    // when the file cannot be opened or decoded, or no device is open, with
    // the reason in what() and LFError().
    LFMusic(const char* path);
    // Halts the piece if it plays, and closes it.
    ~LFMusic();
    LFMusic(const LFMusic&) = delete;
    LFMusic& operator=(const LFMusic&) = delete;

    // Plays the piece from its start loops times (0 and 1: once; -1: until
    // stopped), in place of whatever the music channel played; a piece fading
    // out is cut short. -1 on success; 0 with the reason in LFError().
    int play(int loops);
    // The same, the volume rising from silence over milliseconds.
    int fadeIn(int milliseconds, int loops);
    // Pauses the piece where it is; resume() carries on from there.
    void pause();
    void resume();
    // Halts the piece.
    void stop();
    // Lowers the volume to silence over milliseconds, then halts the piece.
    void fadeOut(int milliseconds);
    // Sets the piece's own volume (0..128, stored as given): it plays at
    // master volume (LFSetSoundVolume) * volume / 128, which the mixer holds
    // to 0..128, from now on and whenever it is played again.
    void setVolume(int volume);
    // 1 while the piece is on the music channel, playing (paused or fading
    // included); 0 once it has finished, been halted or replaced.
    int isPlaying();

private:
    int _start(int milliseconds, int loops);

    Mix_Music* _music;
    int _volume;
};

#endif
