#!/usr/bin/env bash
# Smoke test of one example program on an X server of its own:
#  1. without its data directory it must fail with one line on standard error
#     naming the missing file, and a non-zero status;
#  2. with its data it opens its window; a second after its first frame (and
#     the optional input) the window is screenshotted, must not be blank and
#     must pass the pixel checks; then
#     Escape is held and the program must exit 0 within ten seconds;
#  3. (with --closer) started again, it must exit 0 when its window is asked
#     to close as the close button does.
#
# Usage: smoke_example.sh [options] path/to/example [check ...]
#   A check is "what|WxH+X+Y|condition|minimum": at least minimum pixels of
#   the region must satisfy condition, an awk expression over r, g and b (0..255).
# Options:
#   --title REGEX   the window's title (default "^Larchfield: NAME$")
#   --input ARGS    xdotool commands sent before the screenshot; WINDOW stands
#                   for the window's id (e.g. "mousemove --window WINDOW 20 30 keydown a").
#                   Keys are held through the screenshot rather than tapped: a
#                   press and release read in the same tick are never seen.
#   --release ARGS  xdotool commands sent after the screenshot (e.g. "keyup a")
#   --file NAME:WxH an image the example must have written into its directory
#   --root GEOM     screenshot this region of the screen, not the window
#   --closer PATH   the close_window helper, for step 3
# With SMOKE_SAVE_DIR set, the screenshot is kept there as NAME.png (the
# gallery is made so: scripts/gallery.sh).
set -euo pipefail

. "$(dirname "$0")/lib.sh"
on_own_x_server 1280x1024x24 "$@"

title="" input="" release="" root="" closer=""
files=()
while [ $# -gt 0 ]; do
    case "$1" in
        --title) title=$2; shift 2 ;;
        --input) input=$2; shift 2 ;;
        --release) release=$2; shift 2 ;;
        --file) files+=("$2"); shift 2 ;;
        --root) root=$2; shift 2 ;;
        --closer) closer=$2; shift 2 ;;
        *) break ;;
    esac
done
exe=$(realpath "$1")
shift
name=$(basename "$exe")
[ -n "$title" ] || title="^Larchfield: $name\$"

work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
ok() { echo "ok: $* [${SECONDS} s]"; }

# The examples find their data next to their executable, whatever the working
# directory: run links to them from directories with and without the data.
mkdir "$work/bare" "$work/run"
ln -s "$exe" "$work/bare/$name"
ln -s "$exe" "$work/run/$name"
ln -s "$(dirname "$exe")/data" "$work/run/data"

# Waits up to ten seconds for the program to end; sets code to its exit status.
finish() {
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        code="none: still running after ten seconds"
    else
        code=0
        wait "$pid" || code=$?
    fi
    pid=""
}

# Starts the example, waits up to 60 seconds for its window to show and gives
# it the keyboard focus; sets pid and window.
start() {
    "$work/run/$name" 2>"$work/stderr" &
    pid=$!
    local end=$((SECONDS + 60))
    window=$(wait_for_window "$pid" 60 --onlyvisible --name "$title")
    if [ -z "$window" ]; then
        local how="still running"
        kill -0 "$pid" 2>/dev/null || { how=0; wait "$pid" || how=$?; how="ended with status $how"; }
        echo "FAIL: no window titled $title after $((SECONDS + 60 - end)) s; the program $how"
        cat "$work/stderr"
        exit 1
    fi
    # Without a window manager the focus is given, not asked for; --sync would
    # wait for good if it were lost.
    while [ $SECONDS -lt $end ]; do
        xdotool windowfocus "$window" 2>/dev/null || true
        [ "$(xdotool getwindowfocus 2>/dev/null)" != "$window" ] || return 0
        sleep 0.1
    done
    echo "FAIL: the window did not take the focus"
    exit 1
}

# 1. A missing asset: one line naming a file under data/, a non-zero status.
code=0
timeout 20 "$work/bare/$name" >/dev/null 2>"$work/stderr.bare" || code=$?
lines=$(wc -l <"$work/stderr.bare")
if [ "$code" -ne 0 ] && [ "$code" -lt 124 ] && [ "$lines" -eq 1 ] && grep -q "^$name: .*data/" "$work/stderr.bare"; then
    ok "missing data: status $code, $(cat "$work/stderr.bare")"
else
    fail "missing data: status $code, $lines lines on stderr [${SECONDS} s]:"
    cat "$work/stderr.bare"
fi

# Takes the screenshot; prints the spread of its pixel values, 0 when blank.
shoot() {
    if [ -n "$root" ]; then
        import -window root -crop "$root" +repage "$work/shot.png"
    else
        import -window "$window" "$work/shot.png"
    fi
    convert "$work/shot.png" -format '%[fx:standard_deviation]' info:
}

# 2. A second's run from the first frame drawn, a screenshot, Escape.
start
end=$((SECONDS + 30))
while [ "$(shoot)" = 0 ] && [ $SECONDS -lt $end ]; do
    sleep 0.2
done
[ -z "$input" ] || xdotool ${input//WINDOW/$window}
sleep 1
if [ "$(shoot)" != 0 ]; then ok "not blank"; else fail "blank screenshot [${SECONDS} s]"; fi
[ -z "$release" ] || xdotool ${release//WINDOW/$window}
[ -z "${SMOKE_SAVE_DIR:-}" ] || convert "$work/shot.png" -strip +dither -colors 256 PNG8:"$SMOKE_SAVE_DIR/$name.png"

# The checked regions are cut out in one run of convert, then counted.
crops=()
i=0
for check in "$@"; do
    IFS='|' read -r what region condition minimum <<<"$check"
    crops+=('(' -clone 0 -crop "$region" +repage -depth 8 -write "txt:$work/region$i.txt" +delete ')')
    i=$((i + 1))
done
[ $# -eq 0 ] || convert "$work/shot.png" "${crops[@]}" null:
i=0
for check in "$@"; do
    IFS='|' read -r what region condition minimum <<<"$check"
    n=$(awk "NR > 1 { gsub(/[(),]/, \" \"); r = \$3; g = \$4; b = \$5; if ($condition) n++ } END { print n + 0 }" "$work/region$i.txt")
    if [ "$n" -ge "$minimum" ]; then ok "$what ($n)"; else fail "$what ($n < $minimum) [${SECONDS} s]"; fi
    i=$((i + 1))
done
for file in "${files[@]}"; do
    path="$work/run/${file%%:*}"
    size=$(identify -format '%wx%h' "$path" 2>/dev/null || echo none)
    if [ "$size" = "${file##*:}" ]; then ok "wrote ${file%%:*} ($size)"; else fail "${file%%:*}: size $size [${SECONDS} s]"; fi
done

# A press and release handled in one tick is never seen: Escape is held until
# the program has ended.
xdotool keydown Escape
finish
xdotool keyup Escape
if [ "$code" = 0 ]; then ok "Escape: exit status 0"; else fail "Escape: exit status $code [${SECONDS} s]"; cat "$work/stderr"; fi

# 3. The close button.
if [ -n "$closer" ]; then
    start
    "$closer" "$window"
    finish
    if [ "$code" = 0 ]; then ok "close button: exit status 0"; else fail "close button: exit status $code [${SECONDS} s]"; cat "$work/stderr"; fi
fi
exit $status
