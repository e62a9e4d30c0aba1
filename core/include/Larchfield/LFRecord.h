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
#ifndef LFRECORD_H
#define LFRECORD_H

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

#endif
