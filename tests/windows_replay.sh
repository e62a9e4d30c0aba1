#!/usr/bin/env bash
# The same pictures on both systems: the Windows build of the game (under
# Wine) and the Linux build replay one recording on the current X display,
# each capturing every n-th frame, and the captured pictures must be the same
# byte for byte. Where they differ, the pixels that differ are counted.
# Usage: windows_replay.sh WINDOWS_GAME LINUX_GAME RECORDING [EVERY]
set -euo pipefail

windows=$1 linux=$2 recording=$(realpath "$3") every=${4:-6}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

replay() {
    local name=$1
    shift
    mkdir "$work/$name"
    LF_REPLAY=$recording LF_CAPTURE=$work/$name LF_CAPTURE_EVERY=$every "$@" >"$work/$name.log" 2>&1 ||
        { cat "$work/$name.log"; fail "the $name build's replay ended with status $?"; }
    ls "$work/$name" >"$work/$name.frames"
    echo "ok: the $name build replayed $(wc -l <"$work/$name.frames") captures [${SECONDS} s]"
}
replay windows wine "$windows"
replay linux "$linux"

cmp -s "$work/windows.frames" "$work/linux.frames" || fail "the builds captured different frames"
[ -s "$work/linux.frames" ] || fail "no frame was captured"

# Every picture is also compared as pixels, so that a difference in how the
# files were written is told apart from one in what was drawn.
differing=0 worst=0 worst_frame=""
while read -r frame; do
    cmp -s "$work/windows/$frame" "$work/linux/$frame" && continue
    differing=$((differing + 1))
    pixels=$(compare -metric AE "$work/windows/$frame" "$work/linux/$frame" null: 2>&1 || true)
    if [ "${pixels%%.*}" -gt "$worst" ] 2>/dev/null; then
        worst=${pixels%%.*} worst_frame=$frame
    fi
done <"$work/linux.frames"
total=$(wc -l <"$work/linux.frames")
[ "$differing" -eq 0 ] ||
    fail "$differing of $total captures differ; the most, $worst pixels, in $worst_frame"
echo "ok: all $total captures are the same, byte for byte"
