#!/usr/bin/env bash
# What a program built against an installed Larchfield is told when it cannot
# have it: a version of another major number, or a dependency that is missing,
# is refused at configure time (CMake) or by pkg-config with a message naming
# what is wrong, never left to fail at link time.
# Usage: install_refusals.sh PREFIX CONSUMER_DIR
set -euo pipefail

prefix=$(realpath "$1")
consumer=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
# name, command output, pattern it must hold
expect() {
    if grep -q -- "$3" <<<"$2"; then
        echo "ok: $1"
    else
        echo "FAIL: $1: no \"$3\" in:"
        echo "$2"
        status=1
    fi
}
# Runs a command that must fail, printing what it said.
refused() {
    if "$@" >"$work/out" 2>&1; then
        echo "unexpectedly succeeded: $*"
    fi
    cat "$work/out"
}

mkdir "$work/major"
cat >"$work/major/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.16)
project(WantsMajorOne LANGUAGES CXX)
find_package(Larchfield 1.0 REQUIRED)
CMAKE
out=$(refused cmake -S "$work/major" -B "$work/major/build" -DCMAKE_PREFIX_PATH="$prefix")
expect "find_package(Larchfield 1.0) refuses 0.x" "$out" 'compatible with requested version "1.0"'
expect "the refusal names the installed version" "$out" 'version: 0\.'

# CMake passes over the directories of CMAKE_IGNORE_PATH as if they were not
# there; /lib is /usr/lib on this system, and CMake looks under both.
mixer=""
for dir in $(find /usr/lib /usr/share -maxdepth 3 -type d -ipath '*/cmake/sdl2_mixer' 2>/dev/null); do
    mixer="$mixer$dir;${dir#/usr};"
done
out=$(refused cmake -S "$consumer" -B "$work/nomixer" -DCMAKE_PREFIX_PATH="$prefix" "-DCMAKE_IGNORE_PATH=$mixer")
expect "missing SDL2_mixer is named by CMake" "$out" 'provided by "SDL2_mixer"'

# A pkg-config search path with every module of the system but ftgl.
mkdir "$work/pc"
IFS=: read -ra dirs <<<"$(pkg-config --variable pc_path pkg-config)"
for dir in "${dirs[@]}"; do
    [ -d "$dir" ] && find "$dir" -maxdepth 1 -name '*.pc' ! -name ftgl.pc -exec ln -sf {} "$work/pc/" \;
done
pcdir=$(dirname "$(find "$prefix" -name larchfield.pc -path '*/pkgconfig/*')")
export PKG_CONFIG_LIBDIR=$pcdir:$work/pc
out=$(refused pkg-config --cflags --libs larchfield)
expect "missing ftgl is named by pkg-config" "$out" "Package 'ftgl', required by 'larchfield', not found"
out=$(refused cmake -S "$consumer" -B "$work/noftgl" -DCMAKE_PREFIX_PATH="$prefix")
expect "missing ftgl is named by CMake" "$out" 'because dependency ftgl (pkg-config module)'
exit $status
