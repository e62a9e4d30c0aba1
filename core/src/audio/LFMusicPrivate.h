// What the sounds' master volume tells the music.
#ifndef LFMUSICPRIVATE_H
#define LFMUSICPRIVATE_H

#include "LFMusic.h"

// Plays the piece on the music channel at its volume under the master
// volume of now (LFSetSoundVolume calls it).
void _LFUpdateMusicVolume();

#endif
