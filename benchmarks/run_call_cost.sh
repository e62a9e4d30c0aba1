#!/usr/bin/env bash
# The library's own cost of a batched drawing call beside Allegro's held
# al_draw_bitmap, in instructions counted by callgrind inside the calls only
# (the sends, and so the driver, come after them): the same on a busy machine
# as on an idle one. Usage: run_call_cost.sh path/to/build/benchmarks
set -euo pipefail

if [ -z "${CALL_COST_INNER:-}" ]; then
    export CALL_COST_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

dir=${1:-.}
export LIBGL_ALWAYS_SOFTWARE=1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# Prints what callgrind collected inside the function per call.
# Usage: per_call label function program [argument]
per_call() {
    local label=$1 function=$2
    shift 2
    local calls
    calls=$(valgrind --tool=callgrind --callgrind-out-file="$out/callgrind" --collect-atstart=no \
        --toggle-collect="$function" "$@" 2>/dev/null)
    local instructions
    instructions=$(sed -n 's/^totals: *//p' "$out/callgrind")
    awk -v l="$label" -v i="$instructions" -v c="$calls" \
        'BEGIN { printf "%-40s %7.1f instructions a call (%d calls)\n", l, i / c, c }'
}

per_call "Larchfield LFTexture::draw, batched" "LFTexture::draw(int, int, int)" "$dir/bench_call_cost" sprites
per_call "Larchfield LFDrawRectFill, batched" "LFDrawRectFill(LFRect, LFColor)" "$dir/bench_call_cost" rects
if [ -x "$dir/bench_call_cost_allegro" ]; then
    per_call "Allegro 5 al_draw_bitmap, held" "al_draw_bitmap" "$dir/bench_call_cost_allegro"
else
    echo "(bench_call_cost_allegro not built)"
fi
