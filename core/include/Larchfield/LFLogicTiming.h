// The fixed-rate logic loop and its SDL event pump. Per frame:
//   LFPreLogicLoop(); while (LFLogicLoop()) { tick; LFLogicUpdate(); }
//   LFPostLogicLoop(); draw; swap.
// A frame runs the ticks due in the time since the last frame started, and
// catches up at most 250 ms of it (or one cycle, when a cycle is longer): 15
// ticks at the default rate. After a longer stall (a machine suspended and
// resumed, a debugger, a clock that jumped or stepped back) the ticks beyond
// that are dropped and the loop carries on from the present, instead of
// freezing while it runs every tick missed (an hour is 225,000 ticks). The
// cap depends on the clock's readings alone, so a replay runs the same ticks.
#ifndef LFLOGICTIMING_H
#define LFLOGICTIMING_H

#include <SDL.h>

#include "LF2DPrimitives.h"

typedef void (*LFWindowResizedCallback)(Uint32 windowID, LFSize size);

// Logic rate in cycles per second, clamped to 1..1000.
void LFSetLogicInterval(unsigned int BPS);
unsigned int LFLogicInterval();

// Frames per second at most, 0 (the default) for no limit. With a limit,
// LFPreLogicLoop sleeps until the next frame is due, so that frames start at
// least 1000 / framesPerSecond ms apart, rounded up to the whole milliseconds
// the clock counts (60 gives 17 ms, 58.8 frames a second; 125 gives 8 ms). A
// late frame starts at once and is not made up for. Ticks are worked out from
// the frames' start times exactly as without a limit.
// Note: the time left over in a frame that runs a tick is dropped, so unless
// the period divides the logic cycle (16 ms at the default rate) or is a
// multiple of it, ticks are lost: 63 (16 ms) and 125 (8 ms) keep all 62.5
// ticks a second, 60 (17 ms) gives 58.8.
void LFSetFrameRateLimit(unsigned int framesPerSecond);
unsigned int LFFrameRateLimit();

// Restarts logic time from now: time already passed is not caught up.
void LFResetLogicLoop();
// Reads the clock (after waiting for the frame-rate limit) and works out how
// many ticks are due.
void LFPreLogicLoop();
// -1 while a tick is due (after pumping the event queue), else 0.
int LFLogicLoop();
// Ends a tick and frees the tick's temporary strings.
void LFLogicUpdate();
void LFPostLogicLoop();

// Called for every window-resized event; null installs a no-op.
void LFSetWindowResizedCallback(LFWindowResizedCallback callback);

#endif
