// The hooks through which the library's modules are recorded and replayed,
// and the start and end of a run (LFInit, LFDeInit, the end of the process).
// The session (LFRecord.cpp) writes and reads the file through the codec
// (LFRecordCodec.h).
#ifndef LFRECORDPRIVATE_H
#define LFRECORDPRIVATE_H

#include <SDL.h>

#include "LFRecord.h"

// Kinds of the values read from outside (the byte after 0x86). The
// numbers are part of the file format: new kinds go at the end.
enum _LFRecordKind {
    _LFRecordWindowWidth = 1,
    _LFRecordWindowHeight,
    _LFRecordWindowX,
    _LFRecordWindowY,
    _LFRecordWindowFullscreen,
    _LFRecordWindowFocused,
    _LFRecordWindowDisplay,
    _LFRecordPointerX,
    _LFRecordPointerY,
    _LFRecordGamePadOpened,
    _LFRecordSoundPlayed,
    _LFRecordSoundPlaying,
    _LFRecordSoundVolume,
    _LFRecordKindEnd
};

// Non-zero while a run is recorded or replayed (not for captures alone).
extern int _LFRecordActive;
// -1 while a run is replayed, when nothing waits for real time
// (_LFDelay returns at once); 0 otherwise.
int _LFRecordReplaying();

// Notes the working directory relative paths count from (LFInit(char*)
// calls it before changing directory).
void _LFRecordRememberWorkingDirectory();
// Reads the variables and opens what they name, or carries on with
// what is open when they are unchanged (LFInit). -1 on success or when none
// is set; 0 on failure, with the reason in LFError() and everything closed.
int _LFRecordStart();
// Writes what is pending; the files stay open (LFDeInit).
void _LFRecordStop();
// Writes what is pending and closes everything (at exit, and when
// LFInit finds other variables).
void _LFRecordClose();

// Hooks, each passing its value through unchanged when no run is
// recorded or replayed:
// the seed for srand (LFInit),
unsigned int _LFRecordSeed(unsigned int seed);
// a clock reading taken from source (_LFGetTicks, only while _LFRecordActive),
Uint32 _LFRecordTicks(Uint32 (*source)());
// the pump's next event, as SDL_PollEvent (only while _LFRecordActive),
int _LFRecordPollEvent(SDL_Event* event);
// a value read from outside (kind from _LFRecordKind),
int _LFRecordValue(int kind, int value);
// a frame about to be swapped (LFWindow::swapBuffers): -1 when it is to be
// captured, which the window then does through _LFRecordCapture; else 0.
int _LFRecordFrame();

// Writes a captured frame, width x height packed RGBA rows with row 0 at the
// top, as the next capture file; null pixels (no memory to read them into)
// fail the captures as a write would.
void _LFRecordCapture(const char* pixels, int width, int height);

#endif
