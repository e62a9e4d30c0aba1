#!/usr/bin/env bash
# Builds the replay reader's libFuzzer harness (fuzz_replay.cpp) with clang
# into a build tree of its own and runs it for a number of inputs, from a
# fresh corpus seeded with the demo recording. The test suite runs 20,000
# inputs (a few seconds); docs/testing.md gives the long run.
# Usage: fuzz_replay.sh <source dir> <build dir> [inputs]
set -euo pipefail
source=$(realpath "$1")
build=$2
runs=${3:-20000}

log=$(mktemp)
corpus=$(mktemp -d)
trap 'rm -rf "$log" "$corpus"' EXIT
if ! { cmake -S "$source" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLF_BUILD_FUZZERS=ON -DLF_BUILD_TESTS=OFF -DLF_BUILD_EXAMPLES=OFF &&
    cmake --build "$build" -j"$(nproc)" --target fuzz_replay; } >"$log" 2>&1; then
    cat "$log"
    exit 1
fi
cp "$source/demo/windcart.lfrec" "$corpus/"
# What SDL's system libraries keep for the life of the process is no leak of
# ours; an input that fails is written into the build tree.
export LSAN_OPTIONS="suppressions=$source/tests/lsan.supp:print_suppressions=0"
"$build/tests/fuzz/fuzz_replay" -runs="$runs" -seed=1 -artifact_prefix="$build/" "$corpus"
