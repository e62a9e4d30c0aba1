#!/usr/bin/env bash
# The clipboard and the window's icon end to end, on an X server of its own:
# a program sets its icon from a PNG made here (read back from the window's
# _NET_WM_ICON property with xprop) and a text on the clipboard, which it
# reads back itself, which xclip reads from it while its loop runs, and which
# it then reads when xclip has put another text there.
# Usage: e2e_clipboard.sh path/to/clipboard_program
set -euo pipefail

. "$(dirname "$0")/lib.sh"
on_own_x_server 640x480x24 "$@"

program=$(realpath "$1")
preload=${LD_PRELOAD:-}
unset LD_PRELOAD
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
pid=""
cd "$work"

# A 4 x 2 icon: red, green, blue, white above four greys, all opaque.
convert -size 1x1 xc:'#FF0000' xc:'#00FF00' xc:'#0000FF' xc:'#FFFFFF' +append top.png
convert -size 1x1 xc:'#101010' xc:'#404040' xc:'#808080' xc:'#C0C0C0' +append bottom.png
convert top.png bottom.png -append -define png:color-type=6 icon.png

# Holds a key long enough for a tick to see it.
hold() {
    xdotool keydown "$1"
    sleep 0.3
    xdotool keyup "$1"
}

# Waits up to five seconds for a line starting with $1 in the program's output.
said() {
    local i
    for i in $(seq 50); do
        line=$(grep -a -m 1 "^$1" out.txt || true)
        [ -z "$line" ] || return 0
        sleep 0.1
    done
    line=""
    return 1
}

env LD_PRELOAD="$preload" "$program" "$work/icon.png" >out.txt 2>err.txt &
pid=$!
window=$(wait_for_window "$pid" 15 --name '^Clipboard$')
[ -n "$window" ] || die "no window: $(cat err.txt)"

said "icon" && [ "$line" = "icon -1 " ] || fail "setIcon: $line"
said "missing icon" && [[ $line == "missing icon 0 Unable to open icon missing.png: "* ]] || fail "a missing icon: $line"
icon=$(xprop -id "$window" -f _NET_WM_ICON 32c _NET_WM_ICON | tr -d ',')
# Width, height, then ARGB pixels row by row.
expected="_NET_WM_ICON(CARDINAL) = 4 2 4294901760 4278255360 4278190335 4294967295 4279242768 4282400832 4286611584 4290822336"
[ "$icon" = "$expected" ] && echo "ok: the icon round-trips: $icon" || fail "icon: $icon"

copied="héllo from Larchfield"
said "set" && [ "$line" = "set -1" ] || fail "LFSetClipboardText: $line"
said "read" && [ "$line" = "read $copied" ] && echo "ok: the program reads back its own text" ||
    fail "read back: $line"
other=$(timeout 10 xclip -o -selection clipboard) || true
[ "$other" = "$copied" ] && echo "ok: xclip reads the program's text" || fail "xclip read \"$other\""

# xclip stays behind to serve the text: its output must not hold the test's.
printf 'from xclip: ünïcode\nand a second line' | xclip -i -selection clipboard >/dev/null 2>&1
xdotool windowfocus --sync "$window"
hold v
said "pasted" || true
[ "$line" = "pasted from xclip: ünïcode" ] && grep -a -q "^and a second line$" out.txt &&
    echo "ok: the program reads xclip's text" || fail "pasted: $(cat out.txt)"

hold Escape
wait "$pid" || fail "the program ended with status $?"
pid=""
exit $status
