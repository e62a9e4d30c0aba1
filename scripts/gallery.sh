#!/usr/bin/env bash
# Regenerates the gallery, docs/gallery/<example>.png: builds the examples and
# runs their smoke tests, which keep the screenshot they check.
# Usage: scripts/gallery.sh [build directory, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

export SDL_AUDIODRIVER=dummy
export LIBGL_ALWAYS_SOFTWARE=1
cmake -S . -B "$build" -DLF_BUILD_EXAMPLES=ON -DLF_BUILD_TESTS=ON
cmake --build "$build" -j"$(nproc)"
mkdir -p docs/gallery
SMOKE_SAVE_DIR="$PWD/docs/gallery" ctest --test-dir "$build" -R '^Example\.' -j"$(nproc)" --output-on-failure
ls -l docs/gallery
