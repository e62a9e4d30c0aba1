// Library start-up and shutdown.
#ifndef LFINIT_H
#define LFINIT_H

#include <SDL.h>  // Uint16

// Takes the executable's name and directory from its path, makes that
// directory the working directory, then starts the library with LFInit().
// A bare program name (no separator, as found through PATH) takes the real
// directory of the running executable instead ("." where the system cannot
// tell), and the caller's string stays as it is.
// A null path fails at once: 0, with "No executable path given" in LFError().
// Note: writes into executablePath (it ends up holding the directory); pass a copy.
int LFInit(char* executablePath);
// Starts SDL (timer, video, joystick), the key tables, a logic rate of 60 and
// the random seed. -1 on success; 0 on failure, with the reason in LFError().
// Note: with glibc it also has the heap keep up to 64 MB of freed memory
// (mallopt M_TRIM_THRESHOLD) rather than return it to the system at once: a
// software OpenGL driver frees and takes again megabytes every frame. A trim
// threshold set in the environment (GLIBC_TUNABLES, MALLOC_TRIM_THRESHOLD_)
// is left as it is.
int LFInit();
// Closes audio and the game pad, frees the caches and paths, ends any open
// batch, quits SDL.
void LFDeInit();

// Opens the audio device at 44100 Hz, 16-bit stereo, 1024-frame chunks.
// -1 on success; 0 on failure, with the reason in LFError().
int LFInitAudio();
// Closes any device opened before, then opens one with these settings (a
// format is an SDL AUDIO_* value). -1 on success; 0 on failure, with
// "Couldn't initialize SDL: ..." (no audio driver) or "Unable to initialize
// audio: ..." (no device) in LFError(). Sounds cannot be loaded and play
// nothing until a call succeeds.
// Note: a failed call releases SDL's audio subsystem again, so the caller may
// pick another driver (e.g. SDL_AUDIODRIVER=dummy) and call again.
int LFInitAudio(int audioRate, Uint16 audioFormat, int audioChannels, int audioBuffers);

#endif
