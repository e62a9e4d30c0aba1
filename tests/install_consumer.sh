#!/usr/bin/env bash
# Builds the consumer program against an installed Larchfield twice, through
# find_package and through pkg-config, checks how each is linked (static or
# shared) and runs both on the current X display: each opens a window, draws,
# saves a BMP with saveBuffer and checks two of its pixels. First compiles the
# umbrella header on its own from the prefix.
# Usage: install_consumer.sh PREFIX static|shared CONSUMER_DIR
set -euo pipefail

prefix=$(realpath "$1")
kind=$2
consumer=$(realpath "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

. "$(dirname "$0")/lib.sh"

pc=$(find "$prefix" -name larchfield.pc -path '*/pkgconfig/*')
[ -n "$pc" ] || die "no larchfield.pc under $prefix"
libdir=$(dirname "$(dirname "$pc")")
export PKG_CONFIG_PATH=$(dirname "$pc")${PKG_CONFIG_PATH:+:$PKG_CONFIG_PATH}

echo '#include <Larchfield/Larchfield.h>' >"$work/umbrella.cpp"
c++ -std=c++17 -fsyntax-only "$work/umbrella.cpp" $(pkg-config --cflags larchfield) ||
    die "the installed umbrella header does not compile on its own"
echo "ok: umbrella header compiles from $prefix"

cmake -S "$consumer" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$prefix" >"$work/configure.log" 2>&1 ||
    { cat "$work/configure.log"; die "find_package(Larchfield) consumer does not configure"; }
cmake --build "$work/cmake" >"$work/build.log" 2>&1 ||
    { cat "$work/build.log"; die "find_package(Larchfield) consumer does not build"; }
c++ "$consumer/consumer.cpp" -o "$work/pkgconfig-consumer" $(pkg-config --cflags --libs larchfield) ||
    die "pkg-config consumer does not build"

if [ "$kind" = shared ]; then
    readelf -d "$libdir/libLarchfield.so" | grep -q 'SONAME.*\[libLarchfield\.so\.0\]' || die "SONAME is not libLarchfield.so.0"
    ls "$libdir"/libLarchfield.so.0.* >/dev/null || die "no versioned libLarchfield.so.0.*"
fi
for program in "$work/cmake/consumer" "$work/pkgconfig-consumer"; do
    links=$(readelf -d "$program" | grep -c 'NEEDED.*libLarchfield' || true)
    if [ "$kind" = shared ]; then
        [ "$links" = 1 ] && readelf -d "$program" | grep -q 'NEEDED.*\[libLarchfield\.so\.0\]' ||
            die "$(basename "$program") does not load libLarchfield.so.0"
    else
        [ "$links" = 0 ] || die "$(basename "$program") should hold Larchfield, not load it"
    fi
done
echo "ok: both consumers built and linked $kind"

"$work/cmake/consumer" "$work/cmake.bmp" || die "find_package(Larchfield) consumer"
LD_LIBRARY_PATH=$libdir "$work/pkgconfig-consumer" "$work/pkgconfig.bmp" || die "pkg-config consumer"
echo "ok: both consumers drew and read back their pixels"
