// The fixed-rate logic loop and its SDL event pump. Per frame:
//   LFPreLogicLoop(); while (LFLogicLoop()) { tick; LFLogicUpdate(); }
//   LFPostLogicLoop(); draw; swap.
#ifndef LFLOGICTIMING_H
#define LFLOGICTIMING_H

#include <SDL.h>

#include "LF2DPrimitives.h"

typedef void (*LFWindowResizedCallback)(Uint32 windowID, LFSize size);

extern Uint32 _LFLogicSpeed;
extern Uint32 _LFLogicTimeRequiredPerLogicCycle;
extern Uint32 _LFLogicCurrentTime;
extern Uint32 _LFLogicLastTime;
extern Uint32 _LFLogicTimeElapsed;
extern Uint32 _LFLogicCurrentCycles;

// Logic rate in cycles per second, clamped to 1..1000.
void LFSetLogicInterval(unsigned int BPS);
unsigned int LFLogicInterval();

// Restarts logic time from now: time already passed is not caught up.
void LFResetLogicLoop();
void LFPreLogicLoop();
// -1 while a tick is due (after pumping the event queue), else 0.
int LFLogicLoop();
// Ends a tick and frees the tick's temporary strings.
void LFLogicUpdate();
void LFPostLogicLoop();

// Called for every window-resized event; null installs a no-op.
void LFSetWindowResizedCallback(LFWindowResizedCallback callback);

// Internal: the library's clock in milliseconds; SDL_GetTicks() unless replaced.
Uint32 _LFGetTicks();
// Internal: replaces the clock (tests drive time with it); null restores SDL_GetTicks.
void _LFSetTicksSource(Uint32 (*source)());

#endif
