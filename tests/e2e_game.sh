#!/usr/bin/env bash
# End-to-end run of the built game on an X server of its own: started from
# another working directory, driven by real X key events, looked at through
# a screenshot, and quit with Escape.
# Usage: e2e_game.sh path/to/windcart
set -euo pipefail

. "$(dirname "$0")/lib.sh"
on_own_x_server 800x600x24 "$@"

game=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"  # not the game's directory: it must find its data on its own

SDL_AUDIODRIVER=dummy "$game" 2>"$work/stderr" &
pid=$!

window=$(wait_for_window "$pid" 10 --name '^Windcart$')
[ -n "$window" ] || { cat "$work/stderr"; die "no Windcart window"; }

# Hold Right long enough to carry the cart well along the cables.
xdotool windowfocus --sync "$window"
xdotool keydown Right
sleep 2.5
import -window "$window" "$work/shot.png"
xdotool keyup Right

# Counts the pixels of a region (WxH+X+Y) whose colour passes a test on r, g, b.
count() {
    convert "$work/shot.png" -crop "$1" -depth 8 txt:- |
        awk -v test="$2" 'NR > 1 {
            gsub(/[(),]/, " "); r = $3; g = $4; b = $5
            if (test == "sky")   ok = (r >= 146 && r <= 150 && g >= 174 && g <= 178 && b >= 199 && b <= 203)
            if (test == "green") ok = (g > r + 20 && g > b + 10)
            if (test == "red")   ok = (r > 150 && g < 90 && b < 90)
            if (test == "white") ok = (r > 240 && g > 240 && b > 240)
            if (test == "black") ok = (r < 20 && g < 20 && b < 20)
            n += ok
        } END { print n + 0 }'
}

status=0
check() {  # name, count, minimum
    if [ "$2" -ge "$3" ]; then echo "ok: $1 ($2)"; else echo "FAIL: $1 ($2 < $3)"; status=1; fi
}

[ "$(identify -format '%wx%h' "$work/shot.png")" = "640x480" ] || { echo "FAIL: screenshot size"; status=1; }
check "sky above the hills" "$(count 640x60+0+60 sky)" 20000
check "grass on the ground" "$(count 100x40+540+440 green)" 3000
check "cart moved away from its start" "$(count 540x300+100+0 red)" 40
check "no cart left at the start" "$((200 - $(count 100x150+0+230 red)))" 195
check "score text, white" "$(count 200x40+0+440 white)" 40
check "score shadow, black" "$(count 200x40+0+440 black)" 40
check "marquee text, black" "$(count 640x40+0+0 black)" 40
check "marquee shadow, white" "$(count 640x40+0+0 white)" 40

# A press and release handled in one tick is never seen: hold Escape a moment.
xdotool keydown Escape
sleep 0.3
xdotool keyup Escape
code=0
wait "$pid" || code=$?
if [ "$code" -ne 0 ]; then echo "FAIL: exit status $code"; cat "$work/stderr"; status=1; else echo "ok: exit status 0"; fi
exit $status
