#!/usr/bin/env bash
# Builds examples/ on its own against an installed Larchfield (its standalone
# mode: find_package, and the asset generator built from the source tree),
# then runs the smoke test of one of them from that build.
# Usage: install_examples.sh PREFIX EXAMPLES_DIR SMOKE_SCRIPT CLOSER
set -euo pipefail

prefix=$(realpath "$1")
examples=$(realpath "$2")
smoke=$3
closer=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake -S "$examples" -B "$work/build" -DCMAKE_PREFIX_PATH="$prefix" >"$work/configure.log" 2>&1 ||
    { cat "$work/configure.log"; echo "FAIL: examples/ does not configure against $prefix"; exit 1; }
cmake --build "$work/build" -j"$(nproc)" >"$work/build.log" 2>&1 ||
    { cat "$work/build.log"; echo "FAIL: examples/ does not build against $prefix"; exit 1; }
echo "ok: examples/ built on its own against $prefix"

"$smoke" --closer "$closer" "$work/build/shapes" "red filled rectangle|40x60+240+60|r > 200 && g < 80 && b < 80|2000"
