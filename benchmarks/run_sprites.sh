#!/usr/bin/env bash
# Runs the bouncing-sprite benchmark of Larchfield and of every peer that was
# built on one virtual X server with Mesa's software renderer. Each case (a
# size and a count) runs in every program in turn, three rounds over, before
# the next case, and each library's line is its median round: a change in
# the load of a shared machine meets every library alike.
# Usage: run_sprites.sh path/to/build/benchmarks [rounds]
set -euo pipefail

if [ -z "${SPRITES_INNER:-}" ]; then
    export SPRITES_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

dir=${1:-.}
rounds=${2:-3}
export LIBGL_ALWAYS_SOFTWARE=1
programs=()
for program in bench_sprites bench_sprites_sdl bench_sprites_sfml bench_sprites_allegro; do
    if [ -x "$dir/$program" ]; then
        programs+=("$dir/$program")
    else
        echo "($program not built)"
    fi
done
lines=$(mktemp)
trap 'rm -f "$lines"' EXIT
for size in 8 32; do
    for count in 1000 5000 20000; do
        : >"$lines"
        for _ in $(seq "$rounds"); do
            for program in "${programs[@]}"; do
                "$program" "$size" "$count" 2>/dev/null | grep "sprites:" >>"$lines"
            done
        done
        # The median round of each library, by its wall time, in the order run.
        awk -F'sprites:' '{ label = $1; split($2, f, " "); n[label]++; ms[label, n[label]] = f[1];
                            line[label, n[label]] = $0; if (n[label] == 1) order[++labels] = label }
             END { for (i = 1; i <= labels; i++) { l = order[i]; k = n[l];
                       for (a = 1; a <= k; a++) { below = 0
                           for (b = 1; b <= k; b++) if (ms[l, b] < ms[l, a] || (ms[l, b] == ms[l, a] && b < a)) below++
                           if (below == int((k - 1) / 2)) { print line[l, a]; break } } } }' "$lines"
    done
done
