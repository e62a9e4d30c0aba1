#!/usr/bin/env bash
# Installs a build into a fresh staging prefix with `cmake --install`, as a
# user would. Given a source directory and configure arguments, it first
# configures BUILD from them, builds the library alone and installs only the
# library's components (for a library-only configuration such as the shared one).
# Usage: install_stage.sh PREFIX BUILD [SOURCE CONFIGURE-ARGUMENTS...]
set -euo pipefail

prefix=$1
build=$2
shift 2
rm -rf "$prefix"

if [ $# -eq 0 ]; then
    cmake --install "$build" --prefix "$prefix" >/dev/null
    exit 0
fi

source=$1
shift
cmake -S "$source" -B "$build" "$@" >/dev/null
cmake --build "$build" --target Larchfield -j"$(nproc)"
for component in dev runtime; do
    cmake --install "$build" --prefix "$prefix" --component "$component" >/dev/null
done
