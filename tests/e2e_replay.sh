#!/usr/bin/env bash
# Record and replay end to end, on an X server of its own: a program driven by
# real X input events is recorded while every n-th frame is captured (10th for
# the game, 40th for the small program, which draws several times faster), then the
# recording is replayed twice; every capture of each replay, the last frame
# included, must equal the live run's byte for byte. For the game also: bad
# replay and output paths refused with one line, a recording cut short by a
# crash replayed to the cut, recordings and captures that run out of room
# (`ulimit -f`) and a replay out of step failing the run with the reason as
# the game's last line, the demo recording of the repository still in step
# with the game, and scripts/play.sh pointing at the demo without a display.
# Usage: e2e_replay.sh game path/to/windcart
#        e2e_replay.sh input path/to/replay_input_program
set -euo pipefail

. "$(dirname "$0")/lib.sh"
on_own_x_server 800x600x24 "$@"

mode=$1
program=$(realpath "$2")
# Preloads for the sanitized program only: loaded into every cmp and ls they
# would cost more than the run itself.
preload=${LD_PRELOAD:-}
unset LD_PRELOAD
repository=$(realpath "$(dirname "$0")/..")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export SDL_AUDIODRIVER=dummy

# Starts the program with the given variables and waits for its window;
# sets pid and window.
start() {
    local title=$1
    shift
    env LD_PRELOAD="$preload" "$@" "$program" 2>"$work/stderr" &
    pid=$!
    window=$(wait_for_window "$pid" 15 --name "^$title\$")
    [ -n "$window" ] || { cat "$work/stderr"; die "no $title window"; }
    xdotool windowfocus --sync "$window"
}

hold() {
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}

# Right along the cables past a target, leaves, back, quit.
play_game() {
    hold Right 4
    hold space 1
    hold Left 1.5
    hold Escape 0.3
}

# A drag with the left button, the wheel both ways, a touch dragged with the
# right button, a middle click, quit.
play_input() {
    xdotool mousemove --window "$window" 40 40
    sleep 0.2
    xdotool mousedown 1
    for x in 60 90 120 150; do
        xdotool mousemove --window "$window" "$x" 60
        sleep 0.1
    done
    xdotool mouseup 1
    for button in 4 4 4 5; do
        xdotool click "$button"
        sleep 0.15
    done
    xdotool mousemove --window "$window" 200 150
    xdotool mousedown 3
    sleep 0.2
    for y in 160 180 200; do
        xdotool mousemove --window "$window" 220 "$y"
        sleep 0.1
    done
    xdotool mouseup 3
    sleep 0.2
    xdotool click 2
    sleep 0.2
    hold Escape 0.3
}

case $mode in
game) title=Windcart every=10 ;;
input) title=Pointer every=40 ;;
*) echo "unknown mode $mode"; exit 2 ;;
esac

start "$title" LF_RECORD="$work/run.lfrec" LF_CAPTURE="$work/live" LF_CAPTURE_EVERY=$every
"play_$mode"
wait "$pid" || fail "live run ended with status $?"
frames=$(ls live | wc -l)
last=$(ls live | tail -n 1)
echo "live run: $frames frames captured, the last $last; recording $(stat -c %s run.lfrec) bytes"
[ "$frames" -ge 5 ] || fail "only $frames frames captured"

for run in 1 2; do
    LD_PRELOAD="$preload" LF_REPLAY=run.lfrec LF_CAPTURE="replay$run" LF_CAPTURE_EVERY=$every "$program" \
        2>"$work/stderr" || fail "replay $run ended with status $?"
    if grep -q "out of step" "$work/stderr"; then fail "replay $run: $(cat "$work/stderr")"; fi
    if differences=$(diff -rq live "replay$run"); then
        echo "ok: replay $run captured the same $frames frames, byte for byte"
    else
        fail "replay $run: $(echo "$differences" | wc -l) differences with the live run: $(echo "$differences" | head -n 3)"
    fi
done

if [ "$mode" = game ]; then
    # The score stands in the last frame, the same in every run.
    white=$(convert "live/$last" -crop 200x40+0+440 -depth 8 txt:- |
        awk 'NR > 1 { gsub(/[(),]/, " "); n += ($3 > 240 && $4 > 240 && $5 > 240) } END { print n + 0 }')
    [ "$white" -ge 40 ] || fail "no score in the last frame"

    # Bad input, and failures on the way: one line from the game, its last,
    # and a non-zero status. With --limit the game may write files of that
    # many KB at most, as on a full disk.
    refused() {  # [--limit KB] expected text, then the variables
        local limit=unlimited
        if [ "$1" = --limit ]; then
            limit=$2
            shift 2
        fi
        local expected=$1
        shift
        local code=0
        (
            ulimit -f "$limit"
            trap '' XFSZ
            exec env LD_PRELOAD="$preload" "$@" "$program"
        ) 2>"$work/stderr" || code=$?
        local said
        said=$(grep '^windcart: ' "$work/stderr" || true)
        if [ "$code" -ne 0 ] && [ "$(echo "$said" | wc -l)" -eq 1 ] && [ "$(tail -n 1 "$work/stderr")" = "$said" ] &&
            [[ $said == *"$expected"* ]]; then
            echo "ok: refused: $said"
        else
            fail "expected \"$expected\" and a non-zero status, got $code: $(cat "$work/stderr")"
        fi
    }
    head -c 10 run.lfrec >cut.lfrec
    printf 'LFRECORD\002\000\000\000' >v2.lfrec
    : >empty.lfrec
    refused "Unable to read replay file $work/missing.lfrec: No such file or directory" LF_REPLAY=missing.lfrec
    refused "Replay file $work/empty.lfrec is empty" LF_REPLAY=empty.lfrec
    refused "Replay file $work/cut.lfrec is truncated" LF_REPLAY=cut.lfrec
    refused "Replay file /dev/zero is not a Larchfield recording" LF_REPLAY=/dev/zero
    refused "is a recording of version 2" LF_REPLAY=v2.lfrec
    refused "Replay file $work/live/$last is not a Larchfield recording" LF_REPLAY="live/$last"
    refused "Unable to create record file $work/no/run.lfrec" LF_RECORD=no/run.lfrec
    refused "Unable to write captures into $work/run.lfrec/frames: Not a directory" LF_CAPTURE=run.lfrec/frames
    refused "LF_CAPTURE_EVERY is set without LF_CAPTURE" LF_CAPTURE_EVERY=10

    # The demo's first window width made a height: out of step at once, and
    # the reason outlives the errors that come after it.
    cp "$repository/demo/windcart.lfrec" step.lfrec
    [ "$(od -An -tx1 -j20 -N2 step.lfrec | tr -d ' ')" = 8601 ] || fail "the demo's byte 20 is no longer the window's width"
    printf '\002' | dd of=step.lfrec bs=1 seek=21 conv=notrunc status=none
    refused "Replay of $work/step.lfrec out of step at frame 1: the program asks for the window's width where the recording has the window's height" \
        LF_REPLAY=step.lfrec

    # A recording that runs out of room (2 KB) ends at its last whole record,
    # which replays as a shorter run; here it records a replay, whose
    # recording is the replayed file again, so it must be the start of it.
    refused --limit 2 "Unable to write record file $work/full.lfrec: File too large" LF_REPLAY=run.lfrec LF_RECORD=full.lfrec
    size=$(stat -c %s full.lfrec)
    if [ "$size" -gt 12 ] && [ "$size" -le 2048 ] && cmp -s -n "$size" full.lfrec run.lfrec; then
        echo "ok: the recording that ran out of room holds the first $size bytes"
    else
        fail "the recording that ran out of room is $size bytes, not the start of run.lfrec"
    fi
    LD_PRELOAD="$preload" LF_REPLAY=full.lfrec "$program" 2>"$work/stderr" || fail "replay of the full recording ended with status $?"
    if grep -q . "$work/stderr"; then fail "replay of the full recording: $(cat "$work/stderr")"; fi

    # A crash a few seconds in: what was written replays up to the cut, and
    # the game then ends as if the player had quit.
    start "$title" LF_RECORD="$work/crash.lfrec"
    hold Right 2.5
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null || true
    LD_PRELOAD="$preload" LF_REPLAY=crash.lfrec LF_CAPTURE=crash LF_CAPTURE_EVERY=1000000 "$program" 2>"$work/stderr" ||
        fail "replay of the cut recording ended with status $?"
    if [ "$(ls crash | wc -l)" -eq 1 ] && ! grep -q "out of step" "$work/stderr"; then
        echo "ok: the recording cut by a crash ($(stat -c %s crash.lfrec) bytes) replayed to its last frame, $(ls crash)"
    else
        fail "cut recording: $(ls crash) $(cat "$work/stderr")"
    fi

    # Captures that run out of room (20 KB) or cannot be made: nothing cut
    # is left behind.
    refused --limit 20 "Unable to write capture $work/full/frame-" \
        LF_REPLAY=crash.lfrec LF_CAPTURE=full LF_CAPTURE_EVERY=1000000
    [ -z "$(ls full)" ] || fail "a capture that ran out of room left $(ls full)"
    refused "Unable to write capture /proc/frame-" LF_REPLAY=crash.lfrec LF_CAPTURE=/proc LF_CAPTURE_EVERY=1000000

    LD_PRELOAD="$preload" LF_REPLAY="$repository/demo/windcart.lfrec" LF_CAPTURE=demo LF_CAPTURE_EVERY=1000000000 "$program" \
        2>"$work/stderr" || fail "demo replay ended with status $?"
    if grep -q "out of step" "$work/stderr"; then
        fail "the demo no longer fits the game (record it again with tools/record_demo): $(cat "$work/stderr")"
    else
        echo "ok: the demo recording replays to its end, $(ls demo)"
    fi

    code=0
    env -u DISPLAY -u WAYLAND_DISPLAY bash "$repository/scripts/play.sh" 2>"$work/stderr" || code=$?
    if [ "$code" -ne 0 ] && grep -q "no display" "$work/stderr" && grep -q "scripts/demo.sh" "$work/stderr"; then
        echo "ok: play.sh without a display points at the demo"
    else
        fail "play.sh without a display: status $code, $(cat "$work/stderr")"
    fi
fi
exit $status
