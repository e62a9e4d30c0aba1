// The run: recording and replay of whole runs (seed, clock readings, pumped
// events and values read from outside, in the order the program asked for
// them), and frame capture to PNG files. The bytes of the file are the
// codec's (LFRecordCodec.h).
#include <errno.h>     // errno
#include <stdarg.h>    // va_list
#include <stdio.h>     // FILE, fopen, fread, snprintf, vsnprintf
#include <stdlib.h>    // malloc, realloc, free, getenv, strtoul, atexit
#include <string.h>    // memcmp, memcpy, memset, strcmp, strerror, strdup
#include <sys/stat.h>  // mkdir, stat
#include <unistd.h>    // access, getcwd, write, ftruncate, close

#ifdef _WIN32
#include <direct.h>  // _mkdir
// Windows makes a directory without a mode, and lets whoever may write into a
// directory also enter it.
#define mkdir(path, mode) _mkdir(path)
#undef X_OK
#define X_OK 0
#endif

#include "graphics/LFImageFile.h"  // captures go out as every picture the library writes
#include "record/LFRecordCodec.h"
#include "record/LFRecordPrivate.h"
#include "system/LFApplicationPrivate.h"
#include "system/LFFileFlags.h"  // open

// The run: started by the first LFInit with any variable set and carried on
// by later ones while the variables keep their values (their copies here),
// until LFInit finds other values or the process ends.
int _LFRecordActive = 0;
static int _LFStarted = 0;
enum { _LFRecordVariable, _LFReplayVariable, _LFCaptureVariable, _LFEveryVariable, _LFVariables };
static const char* const _LFVariableNames[_LFVariables] = {"LF_RECORD", "LF_REPLAY", "LF_CAPTURE", "LF_CAPTURE_EVERY"};
static char* _LFStartedWith[_LFVariables] = {NULL, NULL, NULL, NULL};
static char* _LFBaseDirectory = NULL;  // from LFInit(char*) to the start
static unsigned int _LFFrames = 0;     // swapBuffers so far
// The first failure since the start, whatever LFError() says since.
static char _LFFailure[_LFErrorSize] = "";

// The recording being written: records go to the buffer, the buffer to the
// file when full and whenever the recorded clock has moved on a second since
// the last flush. A run of equal clock readings is kept as a count until
// something else is written. The file holds only whole records.
static int _LFRecordFd = -1;
static off_t _LFRecordWhole = 0;  // the file's size
static char* _LFRecordPath = NULL;
static Uint8 _LFRecordBuffer[1 << 16];
static size_t _LFRecordUsed = 0;
static Uint32 _LFRecordLastTicks = 0;
static Uint32 _LFRecordRepeats = 0;
static Uint32 _LFRecordFlushedAt = 0;

// The recording being replayed, whole in memory and checked when loaded. A
// file is refused past _LFReplayLimit (see LFRecord.h for why it is enough).
static const size_t _LFReplayLimit = (size_t)256 << 20;
static Uint8* _LFReplayData = NULL;
static size_t _LFReplaySize = 0;
static size_t _LFReplayPos = 0;
static char* _LFReplayPath = NULL;
static Uint32 _LFReplayLastTicks = 0;
static Uint32 _LFReplayRepeats = 0;
static int _LFReplayStopped = 0;
static int _LFReplayOutOfStepFlag = 0;

// Frame capture.
static char* _LFCaptureDirectory = NULL;
static unsigned int _LFCaptureEvery = 1;

// What the program asks for, to match against the next record.
enum _LFWant { _LFWantClock, _LFWantSeed, _LFWantEvent, _LFWantFrame, _LFWantValue };

static const char* const _LFKindNames[_LFRecordKindEnd] = {
    "",
    "the window's width",
    "the window's height",
    "the window's x position",
    "the window's y position",
    "whether the window is fullscreen",
    "whether the window has focus",
    "the window's display",
    "the pointer's desktop x",
    "the pointer's desktop y",
    "whether a game pad opened",
    "whether a sound started",
    "whether a sound plays",
    "a sound channel's volume",
};

// ---------------------------------------------------------------------------
// Writing
// ---------------------------------------------------------------------------

// A failure of the recording, the replay or the captures: its reason goes to
// LFError(), and the first one is kept for LFRecordError().
__attribute__((format(printf, 1, 2))) static void _LFFail(const char* format, ...)
{
    char text[_LFErrorSize];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    _LFSetError("%s", text);
    if (!_LFFailure[0])
        memcpy(_LFFailure, text, sizeof text);
}

static void _LFCloseRecord()
{
    if (_LFRecordFd >= 0)
        close(_LFRecordFd);
    _LFRecordFd = -1;
    _LFRecordActive = _LFRecordFd >= 0 || _LFReplayData;
}

// Writes all of data; 0 on an error that a retry would not mend, with errno.
static int _LFWriteAll(int fd, const Uint8* data, size_t size)
{
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return 0;
        data += written;
        size -= (size_t)written;
    }
    return -1;
}

// Sends the buffer to the file. A failure is reported once and ends the
// recording at its last whole record.
static void _LFFlushRecord()
{
    if (_LFRecordFd >= 0 && _LFWriteAll(_LFRecordFd, _LFRecordBuffer, _LFRecordUsed)) {
        _LFRecordWhole += (off_t)_LFRecordUsed;
    } else if (_LFRecordFd >= 0) {
        int error = errno;
        // A write that stopped part way (a full disk) leaves a record cut in
        // two: the file goes back to its last whole record. Should that fail
        // too, the reader drops the cut record.
        ftruncate(_LFRecordFd, _LFRecordWhole);
        _LFFail("Unable to write record file %s: %s", _LFRecordPath, strerror(error));
        _LFCloseRecord();
    }
    _LFRecordUsed = 0;
    _LFRecordFlushedAt = _LFRecordLastTicks;
}

// The longest record (an event with every operand at five bytes) after the
// longest run of repeats, with room to spare.
static const size_t _LFLongestRecord = 64;

// Flushes before a record rather than inside one, so that the file always
// ends after a whole record, even when the program dies.
static void _LFMakeRoom()
{
    if (_LFRecordUsed + _LFLongestRecord > sizeof _LFRecordBuffer)
        _LFFlushRecord();
}

static void _LFPut(Uint8 byte)
{
    _LFRecordBuffer[_LFRecordUsed++] = byte;
}

static void _LFPutNumber(Uint32 value)
{
    _LFEncodeNumber(_LFRecordBuffer, _LFRecordUsed, value);
}

static void _LFPutSigned(Sint32 value)
{
    _LFEncodeSigned(_LFRecordBuffer, _LFRecordUsed, value);
}

// Writes the pending run of equal clock readings.
static void _LFPutRepeats()
{
    if (_LFRecordRepeats == 1) {
        _LFPut(0);  // a step of 0: the same reading once more
    } else if (_LFRecordRepeats > 1) {
        _LFPut(_LFOpClockRepeat);
        _LFPutNumber(_LFRecordRepeats);
    }
    _LFRecordRepeats = 0;
}

// Starts a record other than a repeated clock reading.
static void _LFBeginRecord(Uint8 op)
{
    _LFMakeRoom();
    _LFPutRepeats();
    _LFPut(op);
}

// Ends a record: a second of the clock after the last flush, the file catches up.
static void _LFEndRecord()
{
    if (_LFRecordLastTicks - _LFRecordFlushedAt >= 1000)
        _LFFlushRecord();
}

static void _LFWriteTicks(Uint32 ticks)
{
    if (ticks == _LFRecordLastTicks) {
        if (++_LFRecordRepeats == 0xFFFFFFFFu) {
            _LFMakeRoom();
            _LFPutRepeats();
        }
        return;
    }
    Uint32 step = ticks - _LFRecordLastTicks;
    _LFRecordLastTicks = ticks;
    if (step <= _LFOpClockStepLast) {
        _LFBeginRecord((Uint8)step);
    } else {
        _LFBeginRecord(_LFOpClock);
        _LFPutSigned((Sint32)step);
    }
    _LFEndRecord();
}

static void _LFWriteEvent(SDL_Event* e)
{
    _LFBeginRecord(_LFOpEvent);
    _LFEncodeEvent(_LFRecordBuffer, _LFRecordUsed, e);
    _LFEndRecord();
}

// ---------------------------------------------------------------------------
// Replaying
// ---------------------------------------------------------------------------

static int _LFReplayed()
{
    return _LFReplayData && !_LFReplayStopped;
}

static const char* _LFWantName(int want, int kind)
{
    switch (want) {
    case _LFWantClock: return "a clock reading";
    case _LFWantSeed: return "the random seed";
    case _LFWantEvent: return "the events of a tick";
    case _LFWantFrame: return "the end of a frame";
    default: return _LFKindNames[kind];
    }
}

// What the next record holds, in the words of _LFWantName.
static const char* _LFRecordName()
{
    if (_LFReplayRepeats)
        return _LFWantName(_LFWantClock, 0);
    Uint8 op = _LFReplayData[_LFReplayPos];
    switch (op) {
    case _LFOpSeed: return _LFWantName(_LFWantSeed, 0);
    case _LFOpEvent: return "an event";
    case _LFOpPumpEnd: return "the end of a tick's events";
    case _LFOpFrame: return _LFWantName(_LFWantFrame, 0);
    case _LFOpValue: return _LFKindNames[_LFReplayData[_LFReplayPos + 1]];
    default: return _LFWantName(_LFWantClock, 0);
    }
}

// The replay is over: the program is asked to quit. After that the clock
// stands still, the pump hands out nothing and values are read for real.
static void _LFStopReplay(int want, int kind)
{
    if (want >= 0) {
        _LFFail("Replay of %s out of step at frame %u: the program asks for %s where the recording has %s",
                _LFReplayPath, _LFFrames + 1, _LFWantName(want, kind), _LFRecordName());
        _LFReplayOutOfStepFlag = -1;
    }
    _LFReplayStopped = -1;
    LFApplicationRequestQuit();
}

// -1 when the next record is what the program asks for (clock repeats
// pending count as a clock reading); otherwise the replay stops.
static int _LFExpect(int want, int kind)
{
    if (!_LFReplayed())
        return 0;
    if (!_LFReplayRepeats && _LFReplayPos == _LFReplaySize) {
        _LFStopReplay(-1, 0);
        return 0;
    }
    Uint8 op = _LFReplayData[_LFReplayPos];
    int found;
    if (_LFReplayRepeats || op <= _LFOpClock)
        found = want == _LFWantClock;
    else if (op == _LFOpEvent || op == _LFOpPumpEnd)
        found = want == _LFWantEvent;
    else if (op == _LFOpValue)
        found = want == _LFWantValue && _LFReplayData[_LFReplayPos + 1] == kind;
    else
        found = (op == _LFOpSeed && want == _LFWantSeed) || (op == _LFOpFrame && want == _LFWantFrame);
    if (!found)
        _LFStopReplay(want, kind);
    return found ? -1 : 0;
}

static _LFCursor _LFReplayCursor()
{
    _LFCursor c = {_LFReplayData, _LFReplaySize, _LFReplayPos, 0};
    return c;
}

static Uint32 _LFReplayTicks()
{
    if (!_LFExpect(_LFWantClock, 0))
        return _LFReplayLastTicks;
    if (_LFReplayRepeats) {
        _LFReplayRepeats--;
        return _LFReplayLastTicks;
    }
    _LFCursor c = _LFReplayCursor();
    Uint8 op = c.data[c.pos++];
    Uint32 count = 1;
    Sint32 step = 0;
    if (op <= _LFOpClockStepLast) {
        _LFReplayLastTicks += op;
    } else if (op == _LFOpClockRepeat) {
        _LFReadNumber(c, &count);
        _LFReplayRepeats = count - 1;
    } else {
        _LFReadSigned(c, &step);
        _LFReplayLastTicks += (Uint32)step;
    }
    _LFReplayPos = c.pos;
    return _LFReplayLastTicks;
}

// The next recorded event of this pump; 0 at the end of the pump.
static int _LFReplayEvent(SDL_Event* event)
{
    if (!_LFExpect(_LFWantEvent, 0))
        return 0;
    _LFCursor c = _LFReplayCursor();
    int got = c.data[c.pos++] == _LFOpEvent;
    if (got)
        _LFReadEvent(c, event);
    _LFReplayPos = c.pos;
    return got;
}

static unsigned int _LFReplaySeed(unsigned int seed)
{
    if (!_LFExpect(_LFWantSeed, 0))
        return seed;
    const Uint8* p = _LFReplayData + _LFReplayPos + 1;
    _LFReplayPos += 5;
    return (Uint32)p[0] | (Uint32)p[1] << 8 | (Uint32)p[2] << 16 | (Uint32)p[3] << 24;
}

static int _LFReplayValue(int kind, int value)
{
    if (!_LFExpect(_LFWantValue, kind))
        return value;
    _LFCursor c = _LFReplayCursor();
    c.pos += 2;
    Sint32 recorded = 0;
    _LFReadSigned(c, &recorded);
    _LFReplayPos = c.pos;
    return recorded;
}

// Real input is dropped during a replay; only a quit request gets through.
static void _LFDrainRealEvents()
{
    SDL_Event event;
    while (SDL_PollEvent(&event))
        if (event.type == SDL_QUIT)
            _LFAppQuitRequested = -1;
}

// ---------------------------------------------------------------------------
// Capture
// ---------------------------------------------------------------------------

// Writes the frame about to be shown; after a failure no more are written.
void _LFRecordCapture(const char* pixels, int width, int height)
{
    if (!_LFCaptureDirectory)
        return;
    size_t size = strlen(_LFCaptureDirectory) + 32;
    char* path = (char*)malloc(size);
    int written = 0;
    if (!pixels || !path) {
        _LFFail("Unable to write capture into %s: %s", _LFCaptureDirectory, strerror(ENOMEM));
    } else {
        snprintf(path, size, "%s/frame-%06u.png", _LFCaptureDirectory, _LFFrames);
        // What the window shows is opaque.
        written = _LFWriteImage(path, pixels, width, height, _LFImageOpaquePNG);
        if (!written)
            _LFFail("Unable to write capture %s: %s", path, SDL_GetError());
    }
    if (!written) {
        free(_LFCaptureDirectory);
        _LFCaptureDirectory = NULL;
    }
    free(path);
}

// ---------------------------------------------------------------------------
// Start and stop
// ---------------------------------------------------------------------------

static const char* _LFVariable(const char* name)
{
    const char* value = getenv(name);
    return value && *value ? value : NULL;
}

static int _LFAnyVariable()
{
    for (const char* name : _LFVariableNames)
        if (_LFVariable(name))
            return -1;
    return 0;
}

static int _LFIsAbsolute(const char* path)
{
#ifdef _WIN32
    // \\server\share, \dir on the current drive, or C:\dir (either slash).
    if (path[0] == '\\' || (path[0] && path[1] == ':'))
        return -1;
#endif
    return path[0] == '/';
}

// A heap copy of path, made absolute against the remembered directory.
static char* _LFResolvedPath(const char* path)
{
    if (_LFIsAbsolute(path) || !_LFBaseDirectory)
        return strdup(path);
    size_t size = strlen(_LFBaseDirectory) + strlen(path) + 2;
    char* resolved = (char*)malloc(size);
    if (resolved)
        snprintf(resolved, size, "%s/%s", _LFBaseDirectory, path);
    return resolved;
}

// Reads on until the replay buffer holds size bytes or the file ends; 0 or errno.
static int _LFReadUpTo(FILE* file, size_t size, size_t& capacity)
{
    if (size > capacity) {
        Uint8* grown = (Uint8*)realloc(_LFReplayData, size);
        if (!grown)
            return ENOMEM;
        _LFReplayData = grown;
        capacity = size;
    }
    while (_LFReplaySize < size) {
        size_t got = fread(_LFReplayData + _LFReplaySize, 1, size - _LFReplaySize, file);
        if (got == 0)
            return ferror(file) ? errno : 0;
        _LFReplaySize += got;
    }
    return 0;
}

// Refuses a file that is not a whole header of this version.
static int _LFCheckHeader(const char* path)
{
    const Uint8* data = _LFReplayData;
    size_t size = _LFReplaySize;
    if (size == 0) {
        _LFSetError("Replay file %s is empty", path);
    } else if (memcmp(data, _LFMagic, size < sizeof _LFMagic ? size : sizeof _LFMagic) != 0) {
        _LFSetError("Replay file %s is not a Larchfield recording", path);
    } else if (size < _LFHeaderSize) {
        _LFSetError("Replay file %s is truncated", path);
    } else {
        Uint32 version = (Uint32)data[8] | (Uint32)data[9] << 8 | (Uint32)data[10] << 16 | (Uint32)data[11] << 24;
        if (version == _LFVersion)
            return -1;
        _LFSetError("Replay file %s is a recording of version %u; this library replays version %u", path,
                    version, _LFVersion);
    }
    return 0;
}

// Loads the file: the header first, so that what is not a recording is
// refused before anything more is read, then the rest in doubling steps up
// to _LFReplayLimit; a directory fails on its first read.
static int _LFLoadReplay(const char* path)
{
    FILE* file = fopen(path, "rb");
    if (!file) {
        _LFSetError("Unable to read replay file %s: %s", path, strerror(errno));
        return 0;
    }
    size_t capacity = 0;
    int error = _LFReadUpTo(file, _LFHeaderSize, capacity);
    int loaded = !error && _LFCheckHeader(path);
    for (size_t step = 1 << 16; loaded && !error && _LFReplaySize == capacity && capacity <= _LFReplayLimit;
         step *= 2)
        error = _LFReadUpTo(file, step <= _LFReplayLimit ? step : _LFReplayLimit + 1, capacity);
    fclose(file);
    if (error) {
        _LFSetError("Unable to read replay file %s: %s", path, strerror(error));
        return 0;
    }
    if (loaded && _LFReplaySize > _LFReplayLimit) {
        _LFSetError("Replay file %s is larger than the %u MiB a recording may have", path,
                    (unsigned int)(_LFReplayLimit >> 20));
        return 0;
    }
    return loaded;
}

// Checks that every record is well formed. A last record cut short (by a
// crash or a full disk) is dropped: the replay ends where it was cut.
static int _LFCheckRecords(const char* path)
{
    _LFCursor c = {_LFReplayData, _LFReplaySize, _LFHeaderSize, 0};
    while (c.pos < c.size) {
        size_t start = c.pos;
        if (!_LFSkipRecord(c)) {
            if (c.cut) {
                _LFReplaySize = start;
                return -1;
            }
            _LFSetError("Replay file %s is damaged at byte %lu", path, (unsigned long)start);
            return 0;
        }
    }
    return -1;
}

static int _LFStartReplay(const char* variable)
{
    _LFReplayPath = _LFResolvedPath(variable);
    if (!_LFReplayPath || !_LFLoadReplay(_LFReplayPath) || !_LFCheckRecords(_LFReplayPath))
        return 0;
    _LFReplayPos = _LFHeaderSize;
    return -1;
}

static int _LFStartRecord(const char* variable)
{
    _LFRecordPath = _LFResolvedPath(variable);
    _LFRecordFd = _LFRecordPath ? open(_LFRecordPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_BINARY, 0666) : -1;
    if (_LFRecordFd < 0) {
        _LFSetError("Unable to create record file %s: %s", _LFRecordPath ? _LFRecordPath : variable,
                    strerror(_LFRecordPath ? errno : ENOMEM));
        return 0;
    }
    memcpy(_LFRecordBuffer, _LFMagic, sizeof _LFMagic);
    for (int i = 0; i < 4; i++)
        _LFRecordBuffer[8 + i] = (Uint8)(_LFVersion >> (8 * i));
    _LFRecordUsed = _LFHeaderSize;
    _LFFlushRecord();
    return _LFRecordFd >= 0 ? -1 : 0;
}

static int _LFStartCapture(const char* variable, const char* every)
{
    if (every) {
        char* end;
        errno = 0;
        unsigned long n = strtoul(every, &end, 10);
        if (*end || errno || n < 1 || n > 1000000000 || every[0] == '-') {
            _LFSetError("LF_CAPTURE_EVERY must be a whole number of at least 1, not \"%s\"", every);
            return 0;
        }
        _LFCaptureEvery = (unsigned int)n;
    }
    _LFCaptureDirectory = _LFResolvedPath(variable);
    if (!_LFCaptureDirectory) {
        _LFSetError("Unable to write captures into %s: %s", variable, strerror(ENOMEM));
        return 0;
    }
    // The directory is made when missing; it must then be one we may write into.
    int error = 0;
    struct stat info;
    if (mkdir(_LFCaptureDirectory, 0777) != 0 && errno != EEXIST)
        error = errno;
    else if (stat(_LFCaptureDirectory, &info) != 0)
        error = errno;
    else if (!S_ISDIR(info.st_mode))
        error = ENOTDIR;
    else if (access(_LFCaptureDirectory, W_OK | X_OK) != 0)
        error = errno;
    if (error) {
        _LFSetError("Unable to write captures into %s: %s", _LFCaptureDirectory, strerror(error));
        return 0;
    }
    return -1;
}

// -1 when the variables hold the values the run was started with.
static int _LFSameVariables()
{
    for (int i = 0; i < _LFVariables; i++) {
        const char* value = _LFVariable(_LFVariableNames[i]);
        const char* was = _LFStartedWith[i];
        if (value ? !was || strcmp(value, was) != 0 : was != NULL)
            return 0;
    }
    return -1;
}

// Opens what the variables name. -1 when started (or none is set); 0 with
// the reason in LFError() and everything closed again.
static int _LFStartRun()
{
    if (!_LFAnyVariable())
        return -1;
    _LFStarted = -1;
    for (int i = 0; i < _LFVariables; i++) {
        const char* value = _LFVariable(_LFVariableNames[i]);
        _LFStartedWith[i] = value ? strdup(value) : NULL;
        if (value && !_LFStartedWith[i]) {
            _LFSetError("Unable to start recording: %s", strerror(ENOMEM));
            _LFRecordClose();
            return 0;
        }
    }
    const char* record = _LFStartedWith[_LFRecordVariable];
    const char* replay = _LFStartedWith[_LFReplayVariable];
    const char* capture = _LFStartedWith[_LFCaptureVariable];
    const char* every = _LFStartedWith[_LFEveryVariable];
    int started;
    if (every && !capture) {
        _LFSetError("LF_CAPTURE_EVERY is set without LF_CAPTURE, the directory the frames go to");
        started = 0;
    } else {
        // The replay is loaded first, so a run may be recorded over its own file.
        started = (!replay || _LFStartReplay(replay)) && (!capture || _LFStartCapture(capture, every)) &&
                  (!record || _LFStartRecord(record));
    }
    if (!started) {
        _LFRecordClose();
        return 0;
    }
    // What is pending is written when the program ends without LFDeInit too.
    static int closesAtExit = 0;
    if (!closesAtExit)
        closesAtExit = atexit(_LFRecordClose) == 0;
    _LFRecordActive = _LFRecordFd >= 0 || _LFReplayData;
    return -1;
}

void _LFRecordRememberWorkingDirectory()
{
    free(_LFBaseDirectory);
    _LFBaseDirectory = _LFAnyVariable() ? getcwd(NULL, 0) : NULL;
}

int _LFRecordStart()
{
    int started = -1;
    if (!_LFStarted || !_LFSameVariables()) {
        _LFRecordClose();
        started = _LFStartRun();
    }
    free(_LFBaseDirectory);
    _LFBaseDirectory = NULL;
    return started;
}

void _LFRecordStop()
{
    if (_LFRecordFd >= 0) {
        _LFMakeRoom();
        _LFPutRepeats();
        _LFFlushRecord();
    }
}

void _LFRecordClose()
{
    _LFRecordStop();
    _LFCloseRecord();
    free(_LFRecordPath);
    _LFRecordPath = NULL;
    _LFRecordWhole = 0;
    _LFRecordUsed = 0;
    _LFRecordLastTicks = 0;
    _LFRecordRepeats = 0;
    _LFRecordFlushedAt = 0;

    free(_LFReplayData);
    _LFReplayData = NULL;
    free(_LFReplayPath);
    _LFReplayPath = NULL;
    _LFReplaySize = 0;
    _LFReplayPos = 0;
    _LFReplayLastTicks = 0;
    _LFReplayRepeats = 0;
    _LFReplayStopped = 0;
    _LFReplayOutOfStepFlag = 0;

    free(_LFCaptureDirectory);
    _LFCaptureDirectory = NULL;
    _LFCaptureEvery = 1;
    for (int i = 0; i < _LFVariables; i++) {
        free(_LFStartedWith[i]);
        _LFStartedWith[i] = NULL;
    }
    _LFFailure[0] = 0;
    _LFFrames = 0;
    _LFRecordActive = 0;
    _LFStarted = 0;
}

// ---------------------------------------------------------------------------
// Hooks
// ---------------------------------------------------------------------------

int LFReplayOutOfStep()
{
    return _LFReplayOutOfStepFlag;
}

const char* LFRecordError()
{
    return _LFFailure[0] ? _LFFailure : NULL;
}

unsigned int _LFRecordSeed(unsigned int seed)
{
    if (!_LFRecordActive)
        return seed;
    if (_LFReplayData)
        seed = _LFReplaySeed(seed);
    if (_LFRecordFd >= 0) {
        _LFBeginRecord(_LFOpSeed);
        for (int i = 0; i < 4; i++)
            _LFPut((Uint8)(seed >> (8 * i)));
        _LFEndRecord();
    }
    return seed;
}

int _LFRecordReplaying()
{
    return _LFReplayed() ? -1 : 0;
}

Uint32 _LFRecordTicks(Uint32 (*source)())
{
    Uint32 ticks = _LFReplayData ? _LFReplayTicks() : source();
    if (_LFRecordFd >= 0)
        _LFWriteTicks(ticks);
    return ticks;
}

int _LFRecordPollEvent(SDL_Event* event)
{
    int got;
    if (_LFReplayData) {
        _LFDrainRealEvents();
        got = _LFReplayEvent(event);
    } else {
        got = SDL_PollEvent(event);
    }
    if (_LFRecordFd >= 0) {
        if (got) {
            _LFWriteEvent(event);
        } else {
            _LFBeginRecord(_LFOpPumpEnd);
            _LFEndRecord();
        }
    }
    return got;
}

int _LFRecordValue(int kind, int value)
{
    if (!_LFRecordActive)
        return value;
    if (_LFReplayData)
        value = _LFReplayValue(kind, value);
    if (_LFRecordFd >= 0) {
        _LFBeginRecord(_LFOpValue);
        _LFPut((Uint8)kind);
        _LFPutSigned(value);
        _LFEndRecord();
    }
    return value;
}

int _LFRecordFrame()
{
    if (!_LFStarted)
        return 0;
    _LFFrames++;
    if (_LFExpect(_LFWantFrame, 0))
        _LFReplayPos++;
    if (_LFRecordFd >= 0) {
        _LFBeginRecord(_LFOpFrame);
        _LFEndRecord();
    }
    return _LFCaptureDirectory && (_LFFrames % _LFCaptureEvery == 0 || _LFAppQuitRequested) ? -1 : 0;
}
