// A wall-clock timeout in seconds that restarts itself when it fires.
#ifndef LFREALTIMETIMER_H
#define LFREALTIMETIMER_H

class LFRealTimeTimer {
public:
    LFRealTimeTimer();
    LFRealTimeTimer(float timeoutInSeconds);
    ~LFRealTimeTimer();

    // Fixed timeout (negative or NaN becomes 0); restarts the timer.
    void setTimeout(float timeoutInSeconds);
    // A random timeout (LFRandomizef) between the bounds at every restart.
    void setMinMaxTimeout(float minTimeoutInSeconds, float maxTimeoutInSeconds);
    // Restarts in the current mode.
    void reset();
    // -1 (and a restart) once more than the timeout has passed, else 0.
    int tick();
    // Seconds since the last start.
    float elapsedTime();
    // Elapsed time over the timeout, not clamped.
    float progress();

private:
    void _sharedInit(float timeoutInSeconds);

    int _startTicks;
    float _currentTimeout;
    int _minMaxSet;
    float _maxTimeout;
    float _minTimeout;
};

#endif
