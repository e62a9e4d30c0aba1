#!/usr/bin/env bash
# The installed game, started from a working directory of its own on the
# current X display: by its launcher's path, as a bare `windcart` found through
# PATH, and as its real executable by bare name. Each run must open the
# Windcart window and, on SIGTERM (which SDL turns into a quit request), end
# with status 0. With its data removed it names the missing file and the
# directory it looked in, in one line, and exits non-zero.
# Usage: install_game.sh PREFIX
set -euo pipefail

prefix=$(realpath "$1")
work=$(realpath "$(mktemp -d)")
trap 'rm -rf "$work"' EXIT
cd "$work"

. "$(dirname "$0")/lib.sh"

# Starts the game with the given command and quits it once its window is up.
runs() {
    local name=$1
    shift
    "$@" 2>"$work/stderr" &
    local pid=$!
    local window
    window=$(wait_for_window "$pid" 30 --all --pid "$pid" --name '^Windcart$')
    kill -TERM "$pid" 2>/dev/null || true
    local code=0
    wait "$pid" || code=$?
    if [ -z "$window" ]; then
        fail "$name: no Windcart window"
        cat "$work/stderr"
    elif [ "$code" -ne 0 ]; then
        fail "$name: exit status $code"
        cat "$work/stderr"
    else
        echo "ok: $name"
    fi
}

runs "started by the launcher's path" "$prefix/bin/windcart"
runs "started as a bare windcart through PATH" env PATH="$prefix/bin:$PATH" windcart
runs "real executable started by bare name through PATH" env PATH="$prefix/libexec/windcart:$PATH" windcart

# A copy of the installed tree without the game's data.
cp -a "$prefix" "$work/nodata"
rm -rf "$work/nodata/share/windcart/data"
code=0
"$work/nodata/bin/windcart" 2>"$work/stderr" || code=$?
lines=$(wc -l <"$work/stderr")
if [ "$code" -ne 0 ] && [ "$lines" -eq 1 ] && grep -qx "windcart: cannot load \./data/.* (looked in $work/nodata/libexec/windcart)" "$work/stderr"; then
    echo "ok: without its data: $(cat "$work/stderr")"
else
    fail "without its data: status $code, $lines lines:"
    cat "$work/stderr"
fi
exit $status
