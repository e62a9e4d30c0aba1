# Shared pieces of the shell tests, sourced by each: . "$(dirname "$0")/lib.sh"

# A failed check: said, and remembered in status, which the script ends with.
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

# A failure after which nothing more can be checked: said, and the script ends.
die() {
    echo "FAIL: $*"
    exit 1
}

# Runs the calling script again, with the same arguments, under an X server of
# its own with a screen of the given size (WxHxD); does nothing once there.
# -noreset: by default the server resets whenever its last client leaves, and
# drops a client that connects meanwhile, which SDL then takes for no display.
# Usage: on_own_x_server SCREEN "$@"
on_own_x_server() {
    local screen=$1
    shift
    if [ -z "${LF_TEST_X_SERVER:-}" ]; then
        export LF_TEST_X_SERVER=1
        exec xvfb-run -a -s "-screen 0 $screen -nolisten tcp -noreset" "$0" "$@"
    fi
}

# Prints the id of the first window that `xdotool search ARGS...` finds,
# polling every 0.1 s for at most SECONDS; prints nothing when none comes in
# time, or when the process PID has ended first.
# Usage: window=$(wait_for_window PID SECONDS ARGS...)
wait_for_window() {
    local pid=$1 seconds=$2 window=""
    shift 2
    local end=$((SECONDS + seconds))
    while [ $SECONDS -lt $end ] && kill -0 "$pid" 2>/dev/null; do
        window=$(xdotool search "$@" 2>/dev/null | head -n 1) || true
        [ -z "$window" ] || break
        sleep 0.1
    done
    echo "$window"
}
