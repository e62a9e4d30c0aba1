#!/usr/bin/env bash
# Installs what is missing, builds the game and runs it. Without a display it
# says so and points at scripts/demo.sh, which shows a recorded run; the game
# also runs under a virtual X server: xvfb-run -a build/src/windcart
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "play.sh: there is no display to play on (DISPLAY is not set)." >&2
    echo "To watch the game anyway, run: bash scripts/demo.sh" >&2
    echo "(it replays a recorded run under a virtual X server and writes demo/windcart.gif)." >&2
    exit 1
fi

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target windcart
exec build/src/windcart "$@"
