// The audio device's state and the master volume, shared by its start-up,
// the sounds and the music.
#ifndef LFAUDIOPRIVATE_H
#define LFAUDIOPRIVATE_H

#include "LFInit.h"

// -1 while the audio device is open through LFInitAudio, else 0.
extern int _LFAudioInitialized;

// The master volume, nominally 0..128, set by LFSetSoundVolume and applied
// to a sound or the music whenever it is played or re-volumed.
extern int _LFMasterVolume;
// A volume scaled by the master volume (LFSetSoundVolume), truncated toward
// zero and held to the int range.
int _LFScaledVolume(int volume);

// Halts music and closes the audio device if LFInitAudio opened it.
void _LFDeInitAudio();

#endif
