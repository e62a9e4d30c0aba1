#!/usr/bin/env bash
# Every example of the Windows build under Wine on the current X display:
# started through SDL's entry point, it opens its window and draws (its
# screenshot has more than one colour), and Escape held ends it with status 0.
# The pixel checks of each example are the Linux suite's (smoke_example.sh);
# the pictures are the library's, which the demo replay compares byte for byte.
# Usage: windows_examples.sh path/to/example.exe...
set -euo pipefail

work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
status=0

fail() {
    echo "FAIL: $*"
    status=1
}

# Polls: at most a minute for a condition to hold, a tenth of a second apart.
poll() {
    local tries=600
    until "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

drawn() {
    import -silent -window "$1" "$work/shot.png" 2>/dev/null &&
        [ "$(convert "$work/shot.png" -format '%k' info:)" -gt 1 ]
}

for exe in "$@"; do
    name=$(basename "$exe" .exe)
    wine "$exe" >"$work/$name.log" 2>&1 &
    pid=$!
    id=$(timeout 60 xdotool search --sync --onlyvisible --name "^Larchfield: $name" | head -1) || true
    if [ -z "$id" ]; then
        fail "$name: no window"
        cat "$work/$name.log"
        kill "$pid" 2>/dev/null
        pid=""
        continue
    fi
    poll drawn "$id" || fail "$name: its window stays one colour"
    # Held, not tapped: a press and release read in one tick are never seen.
    xdotool windowfocus --sync "$id" keydown Escape
    poll eval '! kill -0 "$pid" 2>/dev/null' || fail "$name: Escape did not end it"
    xdotool keyup Escape
    code=0
    wait "$pid" || code=$?
    pid=""
    [ "$code" -eq 0 ] || { fail "$name: exit status $code"; cat "$work/$name.log"; continue; }
    echo "ok: $name drew and ended on Escape [${SECONDS} s]"
done
exit $status
