// The library's clock and wait: every timing module reads time through
// _LFGetTicks and sleeps through _LFDelay (the logic loop, the frame-rate
// limit, LFRealTimeTimer), so a program's own tests can drive time by hand
// instead of sleeping:
//
//   static Uint32 now = 1000;
//   static Uint32 ticks() { return now; }
//   static void delay(Uint32 ms) { now += ms; }
//   ...
//   _LFSetTicksSource(ticks);     // the library now reads `now`
//   _LFSetDelayFunction(delay);   // and a wait moves it on
//   now += 16;                    // one logic tick (at 60 cycles a second) passes
//   ...
//   _LFSetTicksSource(NULL);      // SDL's clock again
//   _LFSetDelayFunction(NULL);
//
// Both stay replaced across LFDeInit and LFInit. A recorded run notes every
// reading, and a replayed one returns the recorded readings instead (LFRecord.h).
#ifndef LFCLOCK_H
#define LFCLOCK_H

#include <SDL.h>  // Uint32

// The library's clock in milliseconds; SDL_GetTicks() unless replaced.
Uint32 _LFGetTicks();
// Replaces the clock; null restores SDL_GetTicks.
void _LFSetTicksSource(Uint32 (*source)());
// Waits ms milliseconds; SDL_Delay(ms) unless replaced. Returns at once while
// a recording is replayed.
void _LFDelay(Uint32 ms);
// Replaces the wait; null restores SDL_Delay.
void _LFSetDelayFunction(void (*delay)(Uint32));

#endif
