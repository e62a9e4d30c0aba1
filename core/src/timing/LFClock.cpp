// The library's clock and wait, which tests and replays replace.
#include "LFClock.h"
#include "record/LFRecordPrivate.h"

// The clock every timing module reads; tests replace it.
static Uint32 (*_LFTicksSource)() = SDL_GetTicks;

// A recorded run notes every reading; a replayed one substitutes them.
Uint32 _LFGetTicks()
{
    if (_LFRecordActive)
        return _LFRecordTicks(_LFTicksSource);
    return _LFTicksSource();
}

void _LFSetTicksSource(Uint32 (*source)())
{
    _LFTicksSource = source ? source : SDL_GetTicks;
}

// The wait every timing module sleeps through; tests replace it with one that
// moves their clock on.
static void (*_LFDelayFunction)(Uint32) = SDL_Delay;

// A replay waits for nothing: its clock returns the recorded readings.
void _LFDelay(Uint32 ms)
{
    if (_LFRecordActive && _LFRecordReplaying())
        return;
    _LFDelayFunction(ms);
}

void _LFSetDelayFunction(void (*delay)(Uint32))
{
    _LFDelayFunction = delay ? delay : SDL_Delay;
}
