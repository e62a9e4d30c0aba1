#!/usr/bin/env bash
# Runs the bouncing-sprite benchmark of Larchfield and of every peer that was
# built on one virtual X server with Mesa's software renderer: each case (a
# size and a count) in every program before the next case, so that a change
# in the load of a shared machine meets every library alike.
# Usage: run_sprites.sh path/to/build/benchmarks
set -euo pipefail

if [ -z "${SPRITES_INNER:-}" ]; then
    export SPRITES_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

dir=${1:-.}
export LIBGL_ALWAYS_SOFTWARE=1
programs=()
for program in bench_sprites bench_sprites_sdl bench_sprites_sfml bench_sprites_allegro; do
    if [ -x "$dir/$program" ]; then
        programs+=("$dir/$program")
    else
        echo "($program not built)"
    fi
done
for size in 8 32; do
    for count in 1000 5000 20000; do
        for program in "${programs[@]}"; do
            "$program" "$size" "$count"
        done
    done
done
