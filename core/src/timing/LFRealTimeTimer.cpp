// A wall-clock timer: seconds measured on the library's clock against a fixed
// or randomly drawn timeout, restarting itself whenever a poll finds it expired.
#include "LFClock.h"
#include "LFRandom.h"  // LFRandomizef
#include "LFRealTimeTimer.h"

// The clock as the signed count the timer stores; the conversion keeps the
// bits, so differences taken modulo 2^32 stay exact across the counter's wrap.
static int _LFTimerNow()
{
    return (int)_LFGetTicks();
}

LFRealTimeTimer::LFRealTimeTimer()
{
    _sharedInit(0);
}

LFRealTimeTimer::LFRealTimeTimer(float timeoutInSeconds)
{
    _sharedInit(timeoutInSeconds);
}

LFRealTimeTimer::~LFRealTimeTimer()
{
}

void LFRealTimeTimer::_sharedInit(float timeoutInSeconds)
{
    setTimeout(timeoutInSeconds);
}

void LFRealTimeTimer::setTimeout(float timeoutInSeconds)
{
    // NaN, which no elapsed time ever exceeds, counts as negative.
    _currentTimeout = (timeoutInSeconds >= 0) ? timeoutInSeconds : 0;
    _maxTimeout = 0;
    _minTimeout = 0;
    _minMaxSet = 0;
    _startTicks = _LFTimerNow();
}

// Note: the drawn timeout is not clamped at 0, and LFRandomizef may return a
// value outside the bounds.
void LFRealTimeTimer::setMinMaxTimeout(float minTimeoutInSeconds, float maxTimeoutInSeconds)
{
    _minMaxSet = -1;
    if (minTimeoutInSeconds > maxTimeoutInSeconds)
        minTimeoutInSeconds = maxTimeoutInSeconds;
    _minTimeout = minTimeoutInSeconds;
    _maxTimeout = maxTimeoutInSeconds;
    _currentTimeout = LFRandomizef(_minTimeout, _maxTimeout);
    _startTicks = _LFTimerNow();
}

void LFRealTimeTimer::reset()
{
    if (_minMaxSet)
        setMinMaxTimeout(_minTimeout, _maxTimeout);
    else
        setTimeout(_currentTimeout);
}

// The restart counts from this poll: time beyond the timeout is dropped.
int LFRealTimeTimer::tick()
{
    if (elapsedTime() > _currentTimeout) {
        reset();
        return -1;
    }
    return 0;
}

// Subtracts in unsigned 32-bit arithmetic, where a wrap is well defined, and
// reads the difference back as signed.
float LFRealTimeTimer::elapsedTime()
{
    Sint32 elapsedTicks = (Sint32)(_LFGetTicks() - (Uint32)_startTicks);
    return (float)elapsedTicks / 1000.0f;
}

float LFRealTimeTimer::progress()
{
    return elapsedTime() / _currentTimeout;
}
