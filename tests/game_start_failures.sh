#!/usr/bin/env bash
# The built game when it cannot start: a damaged background.png in a copy of
# its data directory (a text chunk claiming 2 GB, which used to freeze it; a
# BMP claiming 65536 x 65536, which used to allocate 13 GB), and no display.
# Each time the game's own line is all of standard error, and it exits
# non-zero at once. Audio is left to the machine: where there is no sound
# card, ALSA's messages must not show either.
# Usage: game_start_failures.sh path/to/windcart
set -euo pipefail

. "$(dirname "$0")/lib.sh"
on_own_x_server 800x600x24 "$@"

game=$(realpath "$1")
work=$(realpath "$(mktemp -d)")
trap 'rm -rf "$work"' EXIT
cp "$game" "$work/windcart"
cp -r "$(dirname "$game")/data" "$work/data"
status=0

# Runs the copied game (with the given env arguments); checks its exit status
# and that standard error is exactly the expected line.
expect_one_line() {  # name, expected line, env arguments...
    local name=$1 expected=$2
    shift 2
    local start end code=0
    start=$(date +%s%N)
    env "$@" timeout 60 "$work/windcart" 2>"$work/stderr" >/dev/null || code=$?
    end=$(date +%s%N)
    local took=$(((end - start) / 1000000))
    if [ "$code" -eq 0 ] || [ "$code" -eq 124 ]; then
        echo "FAIL: $name: exit status $code after $took ms"
        status=1
    elif [ "$(cat "$work/stderr")" != "$expected" ]; then
        echo "FAIL: $name: standard error is not the one line \"$expected\":"
        cat "$work/stderr"
        status=1
    else
        echo "ok: $name: exit status $code after $took ms, one line"
    fi
}

# A PNG whose text chunk claims 0x7FFFFFF0 bytes: 44 bytes in all.
printf '\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR\x00\x00\x00\x04\x00\x00\x00\x04\x08\x06\x00\x00\x00\x00\x00\x00\x00\x7f\xff\xff\xf0tEXtabc' \
    >"$work/data/background.png"
[ "$(stat -c %s "$work/data/background.png")" = 44 ] || { echo "FAIL: the damaged PNG is not 44 bytes"; exit 1; }
expect_one_line "text chunk past the end" "windcart: cannot load ./data/background.png (looked in $work)" -u SDL_AUDIODRIVER

# A BMP of 65536 x 65536 pixels of 24 bits in 118 bytes.
{
    printf 'BM\x76\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00'
    printf '\x00\x00\x01\x00\x00\x00\x01\x00\x01\x00\x18\x00'
    head -c 88 /dev/zero
} >"$work/data/background.png"
[ "$(stat -c %s "$work/data/background.png")" = 118 ] || { echo "FAIL: the BMP is not 118 bytes"; exit 1; }
expect_one_line "65536 x 65536 BMP" "windcart: cannot load ./data/background.png (looked in $work)" -u SDL_AUDIODRIVER

expect_one_line "no display" "windcart: no display to open the window on (is DISPLAY set?)" \
    -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u XDG_RUNTIME_DIR -u SDL_VIDEODRIVER
exit $status
