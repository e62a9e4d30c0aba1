// Recording and replaying whole runs, and capturing frames as PNG files.
//
// A Larchfield program is a function of the random seed LFInit sets, the
// values the library's clock returns and the events its pump hands out, plus
// a few values read from outside (window geometry, focus and display, the
// desktop pointer, whether a game pad opened, what the mixer reports about a
// sound's channel). Recorded, they play the run back exactly, frame for frame
// and pixel for pixel, as fast as it can be drawn. Three environment
// variables, read by LFInit; with none of them set nothing here runs:
//
//   LF_RECORD=<file>   writes everything above, in order, as the run goes:
//                      the file catches up whenever the clock has moved on a
//                      second, so a crash loses at most the last second;
//                      LFDeInit and the end of the process (exit, or a return
//                      from main) write the rest. An existing file is replaced.
//   LF_REPLAY=<file>   LFInit takes the seed from the file, the clock returns
//                      the recorded values and the pump hands out the recorded
//                      events at the same points; real input is ignored except
//                      SDL_QUIT (closing the window), and nothing waits for
//                      real time. When the recording is used up the library
//                      asks to quit (LFApplicationRequestQuit). A program that
//                      asks for something the recording does not hold at that
//                      point (it or its data changed) is stopped the same way,
//                      with LFReplayOutOfStep() true and the file and frame in
//                      LFError() and LFRecordError(). A file cut inside its
//                      last record (by a crash or a full disk) plays up to
//                      its last whole record and then ends as a used-up one.
//                      May be combined with LF_RECORD. The file is read whole
//                      into memory, and refused past 256 MiB: the game writes
//                      about 2 MB an hour of play (8 bytes a frame), 8 MB an
//                      hour with 5,000 leaves on screen (36 bytes a frame), so
//                      the limit holds some 30 hours of the busiest recording
//                      measured, and bounds what a file that only looks like
//                      one (a device, an endless pipe) can take.
//   LF_CAPTURE=<dir>   writes every n-th frame (LF_CAPTURE_EVERY=<n>, default 1)
//                      and every frame drawn while a quit is requested (so the
//                      run's last frame is always there) as <dir>/frame-NNNNNN.png,
//                      NNNNNN being the number of the swapBuffers, counted from
//                      1. Read from the back buffer just before the swap,
//                      opaque RGB. The directory is made if missing (one level).
//
// The whole process is one run: LFDeInit writes what is pending and keeps the
// files, and a later LFInit whose variables hold the same values carries on
// with them (the recording, the replay and the frame count go on). One whose
// variables changed closes what is open and starts on what they now name.
//
// Relative paths count from the working directory LFInit(char*) started in.
// LFInit returns 0 with the reason in LFError() when a replay file is missing,
// unreadable, empty, truncated inside its header, of another version, not a
// recording or too large, when the record file cannot be created, when
// captures cannot be written, or when LF_CAPTURE_EVERY is set without
// LF_CAPTURE. A later failure (a write that fails or is cut short, a capture
// that cannot be written, a replay out of step) stops that output, with its
// reason in LFError() and, the first one, in LFRecordError(). A recording that
// cannot be written on ends at its last whole record; a capture is written
// whole or not at all.
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
#ifndef LFRECORD_H
#define LFRECORD_H

#include <SDL.h>

class LFWindow;

// -1 once a replay has stopped because the program asked for something the
// recording does not hold at that point (the program or its data changed);
// LFError() then names the file and the frame. 0 otherwise.
int LFReplayOutOfStep();

// The first failure of the recording, the replay or the captures since LFInit
// started them: a write that failed, a capture not written, a replay out of
// step; null while there is none. Kept across LFDeInit, whatever LFError()
// says later, so that a program can end with it (the game prints it and
// exits non-zero).
const char* LFRecordError();

// Internal: kinds of the values read from outside (the byte after 0x86). The
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

// Internal: non-zero while a run is recorded or replayed (not for captures alone).
extern int _LFRecordActive;
// Internal: -1 while a run is replayed, when nothing waits for real time
// (_LFDelay returns at once); 0 otherwise.
int _LFRecordReplaying();

// Internal: notes the working directory relative paths count from (LFInit(char*)
// calls it before changing directory).
void _LFRecordRememberWorkingDirectory();
// Internal: reads the variables and opens what they name, or carries on with
// what is open when they are unchanged (LFInit). -1 on success or when none
// is set; 0 on failure, with the reason in LFError() and everything closed.
int _LFRecordStart();
// Internal: writes what is pending; the files stay open (LFDeInit).
void _LFRecordStop();
// Internal: writes what is pending and closes everything (at exit, and when
// LFInit finds other variables).
void _LFRecordClose();

// Internal hooks, each passing its value through unchanged when no run is
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
