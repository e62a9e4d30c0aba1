// Library start-up and shutdown.
#ifndef LFINIT_H
#define LFINIT_H

// Takes the executable's name and directory from its path, makes that
// directory the working directory, then starts the library with LFInit().
// Note: writes into executablePath (it ends up holding the directory); pass a copy.
int LFInit(char* executablePath);
// Starts SDL (timer, video, joystick), the key tables, a logic rate of 60 and
// the random seed. -1 on success; 0 on failure, with the reason in LFError().
int LFInit();
// Closes audio and the game pad, frees the caches and paths, quits SDL.
void LFDeInit();

// Internal: halts music and closes the audio device if it was opened.
void _LFDeInitAudio();

#endif
