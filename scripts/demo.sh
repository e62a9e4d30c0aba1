#!/usr/bin/env bash
# Shows the game where there is no display: replays a recording (by default
# the demo in demo/) under a virtual X server, captures every 6th frame and
# turns them into an animated GIF. Needs no display and no sound device.
# Usage: bash scripts/demo.sh [recording.lfrec [out.gif]]
#        (defaults: demo/windcart.lfrec and demo/windcart.gif, the README's)
# Note: the GIF's pace is right for recordings of one logic tick per frame,
# as the demo is (tools/record_demo.cpp); a live recording drawn at a higher
# frame rate plays slower.
set -euo pipefail
cd "$(dirname "$0")/.."
recording=$(realpath "${1:-demo/windcart.lfrec}")
gif=$(realpath -m "${2:-demo/windcart.gif}")

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target windcart >/dev/null

frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 LF_REPLAY="$recording" LF_CAPTURE="$frames" LF_CAPTURE_EVERY=6 \
    xvfb-run -a -s "-screen 0 800x600x24 -nolisten tcp" build/src/windcart

# The pictures are pixel art of few colours: one palette, taken from the
# first, middle and last frames and kept undithered, serves every frame, so a
# GIF frame stores only what changed. Six frames of 16 ms are 96 ms: each is
# shown for a tenth of a second.
shots=("$frames"/frame-*.png)
convert "${shots[0]}" "${shots[${#shots[@]} / 2]}" "${shots[-1]}" -append +dither -colors 255 -unique-colors \
    "$frames/palette.gif"
convert -delay 10 -loop 0 "${shots[@]}" +dither -remap "$frames/palette.gif" -layers Optimize "$gif"
echo "demo: $gif, ${#shots[@]} frames, $(stat -c %s "$gif") bytes"
