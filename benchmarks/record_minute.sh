#!/usr/bin/env bash
# A minute of play, recorded: the built game on a virtual X server, played for
# 60 seconds by real X key events (along the cables and back, with leaves),
# with LF_RECORD set. Prints the size of the recording, then replays it and
# prints how long the replay took (it waits for nothing but drawing; on this
# software renderer drawing is most of a frame).
# Usage: benchmarks/record_minute.sh path/to/windcart [seconds]
set -euo pipefail

if [ -z "${RECORD_MINUTE_INNER:-}" ]; then
    export RECORD_MINUTE_INNER=1
    exec xvfb-run -a -s "-screen 0 800x600x24 -nolisten tcp" "$0" "$@"
fi

game=$(realpath "$1")
seconds=${2:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=dummy

now() { date +%s.%N; }
hold() {
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}

LF_RECORD="$work/play.lfrec" "$game" 2>/dev/null &
pid=$!
window=""
for _ in $(seq 150); do
    window=$(xdotool search --name '^Windcart$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "no Windcart window"; exit 1; }
xdotool windowfocus --sync "$window"

begin=$(now)
end=$((SECONDS + seconds))
while [ $SECONDS -lt $end ]; do
    hold Right 3
    hold space 1
    hold Left 3
    sleep 0.5
done
hold Escape 0.3
wait "$pid"
played=$(awk -v a="$(now)" -v b="$begin" 'BEGIN { print a - b }')

# Replayed with a capture of nothing but the last frame, whose number is the
# number of frames drawn.
# The game's processor time is given too: on a busy machine it is steadier
# than the elapsed time.
TIMEFORMAT='%R %U %S'
read -r replayed user system < <({ time LF_REPLAY="$work/play.lfrec" LF_CAPTURE="$work/last" \
    LF_CAPTURE_EVERY=1000000000 "$game" 2>/dev/null; } 2>&1)
frames=$(ls "$work/last" | sed 's/frame-0*//; s/\.png//')
bytes=$(stat -c %s "$work/play.lfrec")

awk -v played="$played" -v replayed="$replayed" -v cpu="$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')" \
    -v frames="$frames" -v bytes="$bytes" 'BEGIN {
    printf "played %.1f s: %d frames (%.0f per second), recorded in %d bytes: %.1f KB per minute, %.1f bytes per frame\n",
        played, frames, frames / played, bytes, bytes / played * 60 / 1000, bytes / frames
    printf "replayed in %.1f s (start-up included), %.1f s of processor time: %.2f times as fast as it was played\n",
        replayed, cpu, played / replayed
}'
