// The recording file's bytes: numbers, events and whole records read from a
// block and written into one (the format is in LFRecordCodec.h).
#include <string.h>  // memcpy, memset

#include "record/LFRecordCodec.h"

static Uint32 _LFZigzag(Sint32 value)
{
    return ((Uint32)value << 1) ^ (value < 0 ? 0xFFFFFFFFu : 0);
}

static Sint32 _LFUnzigzag(Uint32 value)
{
    return (Sint32)((value >> 1) ^ (0u - (value & 1)));
}

int _LFReadByte(_LFCursor& c, Uint8* byte)
{
    if (c.pos >= c.size) {
        c.cut = -1;
        return 0;
    }
    *byte = c.data[c.pos++];
    return -1;
}

// Unsigned LEB128 of at most 32 bits: five bytes, the last holding 4 bits.
int _LFReadNumber(_LFCursor& c, Uint32* number)
{
    Uint32 value = 0;
    for (int i = 0; i < 5; i++) {
        Uint8 byte;
        if (!_LFReadByte(c, &byte))
            return 0;
        if (i == 4 && byte > 0x0F)
            return 0;
        value |= (Uint32)(byte & 0x7F) << (7 * i);
        if (!(byte & 0x80)) {
            *number = value;
            return -1;
        }
    }
    return 0;
}

int _LFReadSigned(_LFCursor& c, Sint32* number)
{
    Uint32 value;
    if (!_LFReadNumber(c, &value))
        return 0;
    *number = _LFUnzigzag(value);
    return -1;
}

// The third 32-bit word of an event: the window id of window, key and mouse events.
Uint32* _LFEventWord(SDL_Event* event)
{
    return (Uint32*)((char*)event + 2 * sizeof(Uint32));
}

// Reads an event's operands into a zeroed event.
int _LFReadEvent(_LFCursor& c, SDL_Event* e)
{
    Uint32 type, word, u[3];
    Sint32 s[4];
    memset(e, 0, sizeof *e);
    if (!_LFReadNumber(c, &type) || !_LFReadNumber(c, &word))
        return 0;
    e->type = type;
    memcpy(_LFEventWord(e), &word, sizeof word);
    switch (type) {
    case SDL_WINDOWEVENT:
        if (!_LFReadNumber(c, &u[0]) || !_LFReadSigned(c, &s[0]) || !_LFReadSigned(c, &s[1]))
            return 0;
        e->window.event = (Uint8)u[0];
        e->window.data1 = s[0];
        e->window.data2 = s[1];
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (!_LFReadSigned(c, &s[0]))
            return 0;
        e->key.keysym.sym = s[0];
        break;
    case SDL_MOUSEMOTION:
        for (int i = 0; i < 4; i++)
            if (!_LFReadSigned(c, &s[i]))
                return 0;
        e->motion.x = s[0];
        e->motion.y = s[1];
        e->motion.xrel = s[2];
        e->motion.yrel = s[3];
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (!_LFReadNumber(c, &u[0]) || !_LFReadNumber(c, &u[1]))
            return 0;
        e->button.button = (Uint8)u[0];
        e->button.state = (Uint8)u[1];
        break;
    case SDL_MOUSEWHEEL:
        if (!_LFReadSigned(c, &s[0]) || !_LFReadSigned(c, &s[1]))
            return 0;
        e->wheel.x = s[0];
        e->wheel.y = s[1];
        break;
    case SDL_JOYAXISMOTION:
        if (!_LFReadNumber(c, &u[0]) || !_LFReadSigned(c, &s[0]))
            return 0;
        e->jaxis.axis = (Uint8)u[0];
        e->jaxis.value = (Sint16)s[0];
        break;
    case SDL_JOYHATMOTION:
        if (!_LFReadNumber(c, &u[0]))
            return 0;
        e->jhat.value = (Uint8)u[0];
        break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        if (!_LFReadNumber(c, &u[0]))
            return 0;
        e->jbutton.button = (Uint8)u[0];
        break;
    case SDL_FINGERDOWN:
    case SDL_FINGERUP:
    case SDL_FINGERMOTION:
        for (int i = 0; i < 3; i++)
            if (!_LFReadNumber(c, &u[i]))
                return 0;
        e->tfinger.windowID = u[0];
        memcpy(&e->tfinger.x, &u[1], sizeof(float));
        memcpy(&e->tfinger.y, &u[2], sizeof(float));
        break;
    default:
        break;
    }
    return -1;
}

// Reads one whole record, whatever it is; the checker's step.
int _LFSkipRecord(_LFCursor& c)
{
    Uint8 op, kind;
    Uint32 number;
    SDL_Event event;
    if (!_LFReadByte(c, &op))
        return 0;
    switch (op) {
    case _LFOpClockRepeat:
        return _LFReadNumber(c, &number) && number >= 1 ? -1 : 0;
    case _LFOpClock:
        return _LFReadNumber(c, &number);
    case _LFOpSeed:
        for (int i = 0; i < 4; i++)
            if (!_LFReadByte(c, &kind))
                return 0;
        return -1;
    case _LFOpEvent:
        return _LFReadEvent(c, &event);
    case _LFOpPumpEnd:
    case _LFOpFrame:
        return -1;
    case _LFOpValue:
        if (!_LFReadByte(c, &kind) || kind < 1 || kind >= _LFRecordKindEnd)
            return 0;
        return _LFReadNumber(c, &number);
    default:
        return op <= _LFOpClockStepLast ? -1 : 0;
    }
}

void _LFEncodeNumber(Uint8* buffer, size_t& used, Uint32 value)
{
    while (value >= 0x80) {
        buffer[used++] = (Uint8)(value | 0x80);
        value >>= 7;
    }
    buffer[used++] = (Uint8)value;
}

void _LFEncodeSigned(Uint8* buffer, size_t& used, Sint32 value)
{
    _LFEncodeNumber(buffer, used, _LFZigzag(value));
}

void _LFEncodeEvent(Uint8* buffer, size_t& used, SDL_Event* e)
{
    // Each operand as the session's writers put it.
    auto _LFPutNumber = [&](Uint32 value) { _LFEncodeNumber(buffer, used, value); };
    auto _LFPutSigned = [&](Sint32 value) { _LFEncodeSigned(buffer, used, value); };
    _LFPutNumber(e->type);
    _LFPutNumber(*_LFEventWord(e));
    switch (e->type) {
    case SDL_WINDOWEVENT:
        _LFPutNumber(e->window.event);
        _LFPutSigned(e->window.data1);
        _LFPutSigned(e->window.data2);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        _LFPutSigned(e->key.keysym.sym);
        break;
    case SDL_MOUSEMOTION:
        _LFPutSigned(e->motion.x);
        _LFPutSigned(e->motion.y);
        _LFPutSigned(e->motion.xrel);
        _LFPutSigned(e->motion.yrel);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        _LFPutNumber(e->button.button);
        _LFPutNumber(e->button.state);
        break;
    case SDL_MOUSEWHEEL:
        _LFPutSigned(e->wheel.x);
        _LFPutSigned(e->wheel.y);
        break;
    case SDL_JOYAXISMOTION:
        _LFPutNumber(e->jaxis.axis);
        _LFPutSigned(e->jaxis.value);
        break;
    case SDL_JOYHATMOTION:
        _LFPutNumber(e->jhat.value);
        break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        _LFPutNumber(e->jbutton.button);
        break;
    case SDL_FINGERDOWN:
    case SDL_FINGERUP:
    case SDL_FINGERMOTION: {
        Uint32 x, y;
        memcpy(&x, &e->tfinger.x, sizeof x);
        memcpy(&y, &e->tfinger.y, sizeof y);
        _LFPutNumber(e->tfinger.windowID);
        _LFPutNumber(x);
        _LFPutNumber(y);
        break;
    }
    default:
        break;
    }
}
