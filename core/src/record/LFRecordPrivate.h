// The hooks through which the library's modules are recorded and replayed,
// and the start and end of a run (LFInit, LFDeInit, the end of the process).
//
// File format (".lfrec"), every integer little-endian:
//   header  "LFRECORD" (8 bytes), then the version (32 bits): 1.
//   records, one opcode byte each, then its operands:
//     0x00..0x7F  a clock reading: the previous reading plus the opcode (ms);
//                 the previous reading starts at 0
//     0x80 n      the previous clock reading n more times (n >= 1)
//     0x81 s      a clock reading: the previous one plus s, modulo 2^32
//     0x82 u32    the seed given to srand (4 bytes)
//     0x83 n n .. an event the pump handled: its type, its third 32-bit word
//                 (the window id of window, key and mouse events), then the
//                 fields the pump reads, by type:
//                   SDL_WINDOWEVENT             window.event (n), data1, data2 (s)
//                   SDL_KEYDOWN, SDL_KEYUP      keysym.sym (s)
//                   SDL_MOUSEMOTION             x, y, xrel, yrel (s)
//                   SDL_MOUSEBUTTONDOWN/UP      button, state (n)
//                   SDL_MOUSEWHEEL              x, y (s)
//                   SDL_JOYAXISMOTION           axis (n), value (s)
//                   SDL_JOYHATMOTION            value (n)
//                   SDL_JOYBUTTONDOWN/UP        button (n)
//                   SDL_FINGERDOWN/UP/MOTION    windowID, x, y (n; x and y are
//                                               the bits of the floats)
//                   any other type              nothing more
//     0x84        the pump found no further event (ends every pump)
//     0x85        a swapBuffers (ends every frame)
//     0x86 k s    a value read from outside: kind k (one byte, _LFRecordKind), value s
//   n is an unsigned LEB128 number of at most 32 bits; s is a signed one,
//   zigzag-coded (0, -1, 1, -2, ... as 0, 1, 2, 3, ...) and then LEB128.
//   A file ends after any whole record; a record cut short at its end is
//   dropped by the reader.
#ifndef LFRECORDPRIVATE_H
#define LFRECORDPRIVATE_H

#include <SDL.h>

#include "LFRecord.h"

class LFWindow;

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
// a frame about to be swapped on window (LFWindow::swapBuffers; also captures).
void _LFRecordFrame(LFWindow* window);

#endif
