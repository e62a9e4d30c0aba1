// The fixed-rate logic loop: how many ticks each frame runs, and the
// frame-rate limit. Each tick starts by pumping SDL's events (input/).
#include "LFClock.h"
#include "input/LFEventPumpPrivate.h"
#include "input/LFMousePrivate.h"
#include "string/LFStringPrivate.h"
#include "timing/LFLogicTimingPrivate.h"

// Logic timing, in milliseconds of the library's clock.
Uint32 _LFLogicSpeed = 1;
Uint32 _LFLogicTimeRequiredPerLogicCycle = 1000;
Uint32 _LFLogicCurrentTime = 0;
Uint32 _LFLogicLastTime = 0;
Uint32 _LFLogicTimeElapsed = 0;
Uint32 _LFLogicCurrentCycles = 0;
// The most logic time one frame catches up, in ms (at least one cycle): after
// a longer stall (a suspended machine, a clock that jumped) the loop carries
// on from the present instead of running every tick missed.
static const Uint32 _LFLogicMaxCatchUp = 250;

// Frames per second LFPreLogicLoop lets start at most; 0 for no limit.
static unsigned int _LFFrameRateLimit = 0;
// When the next frame may start under the limit: one period after the time
// the last one was due, so that a sleep that overshoots does not push the
// frames after it back.
static Uint32 _LFNextFrameDue = 0;

void LFSetLogicInterval(unsigned int BPS)
{
    if (BPS < 1)
        BPS = 1;
    if (BPS > 1000)
        BPS = 1000;
    _LFLogicSpeed = BPS;
    _LFLogicTimeRequiredPerLogicCycle = 1000 / BPS;
    if (_LFLogicTimeRequiredPerLogicCycle == 0)
        _LFLogicTimeRequiredPerLogicCycle = 1;
}

unsigned int LFLogicInterval()
{
    return _LFLogicSpeed;
}

// The shortest time between two frame starts under the limit, in the whole
// milliseconds the clock counts: rounded up, so never shorter than 1 / limit s.
static Uint32 _LFFramePeriod()
{
    return 1000 / _LFFrameRateLimit + (1000 % _LFFrameRateLimit != 0);
}

void LFSetFrameRateLimit(unsigned int framesPerSecond)
{
    _LFFrameRateLimit = framesPerSecond;
    if (_LFFrameRateLimit)
        _LFNextFrameDue = _LFLogicLastTime + _LFFramePeriod();
}

unsigned int LFFrameRateLimit()
{
    return _LFFrameRateLimit;
}

// Sleeps until the next frame is due and returns that time, the frame's
// start. A late frame starts at once, and the next one is due a period after
// it: frames missed are not made up for by a burst. So does a frame due more
// than a period ahead: the clock went back (or leapt 2^31 ms), and waiting
// for it could take days.
static Uint32 _LFAwaitFrameStart()
{
    Uint32 start = _LFGetTicks();
    // Differences of the wrapping clock, read as signed.
    Sint32 early = (Sint32)(_LFNextFrameDue - start);
    if (early > 0 && (Uint32)early <= _LFFramePeriod()) {
        _LFDelay((Uint32)early);
        start = _LFNextFrameDue;
    }
    _LFNextFrameDue = start + _LFFramePeriod();
    return start;
}

void LFResetLogicLoop()
{
    _LFLogicTimeElapsed = 0;
    _LFLogicLastTime = _LFGetTicks();
    _LFLogicCurrentTime = _LFLogicLastTime;
    _LFLogicCurrentCycles = 0;
    _LFNextFrameDue = _LFLogicLastTime;
}

void LFPreLogicLoop()
{
    _LFLogicCurrentTime = _LFFrameRateLimit ? _LFAwaitFrameStart() : _LFGetTicks();
    Uint32 cap = SDL_max(_LFLogicMaxCatchUp, _LFLogicTimeRequiredPerLogicCycle);
    Uint32 passed = SDL_min(_LFLogicCurrentTime - _LFLogicLastTime, cap);  // capped first: no sum wraps
    _LFLogicTimeElapsed = SDL_min(_LFLogicTimeElapsed + passed, cap);
    _LFLogicCurrentCycles = _LFLogicTimeElapsed / _LFLogicTimeRequiredPerLogicCycle;
    if (_LFLogicCurrentCycles == 0)
        _LFDelay(0);
}

int LFLogicLoop()
{
    if (_LFLogicCurrentCycles == 0)
        return 0;
    _LFPumpEvents();
    return -1;
}

void LFLogicUpdate()
{
    if (_LFLogicCurrentCycles > 0) {
        _LFLogicCurrentCycles--;
        if (_LFLogicCurrentCycles == 0)
            _LFLogicTimeElapsed = 0;
    }
    _LFCleanTempStrings();
}

void LFPostLogicLoop()
{
    _LFClearMouseWheel();
    _LFLogicLastTime = _LFLogicCurrentTime;
}
