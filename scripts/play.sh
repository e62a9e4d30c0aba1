#!/usr/bin/env bash
# Installs what is missing, builds the game and runs it. Without a desktop,
# run it under a virtual X server: xvfb-run -a build/src/windcart
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target windcart
exec build/src/windcart "$@"
