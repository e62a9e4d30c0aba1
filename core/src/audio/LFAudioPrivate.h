// The audio device's state, shared by its start-up and the sounds.
#ifndef LFAUDIOPRIVATE_H
#define LFAUDIOPRIVATE_H

#include "LFInit.h"

// -1 while the audio device is open through LFInitAudio, else 0.
extern int _LFAudioInitialized;

// Halts music and closes the audio device if LFInitAudio opened it.
void _LFDeInitAudio();

#endif
