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
#ifndef LFRECORDCODEC_H
#define LFRECORDCODEC_H

#include <stddef.h>  // size_t

#include <SDL.h>

#include "record/LFRecordPrivate.h"  // _LFRecordKind

// The header: magic, version, and its whole size.
static const char _LFMagic[8] = {'L', 'F', 'R', 'E', 'C', 'O', 'R', 'D'};
static const Uint32 _LFVersion = 1;
static const size_t _LFHeaderSize = 12;

// The records' opcodes.
enum {
    _LFOpClockStepLast = 0x7F,
    _LFOpClockRepeat = 0x80,
    _LFOpClock = 0x81,
    _LFOpSeed = 0x82,
    _LFOpEvent = 0x83,
    _LFOpPumpEnd = 0x84,
    _LFOpFrame = 0x85,
    _LFOpValue = 0x86
};

// A read position in a block of bytes. A read that runs past the end fails
// with cut set; one that finds a malformed number fails with cut clear.
struct _LFCursor {
    const Uint8* data;
    size_t size;
    size_t pos;
    int cut;
};

// Each read is -1 when it read a whole well-formed item, else 0.
int _LFReadByte(_LFCursor& c, Uint8* byte);
// Unsigned LEB128 of at most 32 bits.
int _LFReadNumber(_LFCursor& c, Uint32* number);
int _LFReadSigned(_LFCursor& c, Sint32* number);
// An event's operands (after the opcode), into a zeroed event.
int _LFReadEvent(_LFCursor& c, SDL_Event* e);
// One whole record, whatever it is; the checker's step.
int _LFSkipRecord(_LFCursor& c);

// The third 32-bit word of an event: the window id of window, key and mouse events.
Uint32* _LFEventWord(SDL_Event* event);

// Each write appends to buffer at used and moves used on; the buffer must
// have room (five bytes a number).
void _LFEncodeNumber(Uint8* buffer, size_t& used, Uint32 value);
void _LFEncodeSigned(Uint8* buffer, size_t& used, Sint32 value);
// An event's operands, as _LFReadEvent reads them.
void _LFEncodeEvent(Uint8* buffer, size_t& used, SDL_Event* e);

#endif
