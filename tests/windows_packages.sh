#!/usr/bin/env bash
# What a Windows user downloads, made by cpack in the cross build and used as
# that user would, under Wine on the current X display:
#  - windcart-VERSION-win64.zip: unpacked, the game replays a recording to its
#    end when started from another directory with nothing but its own folder
#    to load DLLs from; without its data it says which file in one line;
#  - windcart-VERSION-win64.exe, the installer: run silently, it installs a
#    game that replays alike;
#  - larchfield-VERSION-win64-sdk.zip: names no path of this machine, and the
#    consumer program builds against the unpacked SDK through find_package
#    and through pkg-config; both draw and read back their pixels.
# Usage: windows_packages.sh BUILD_DIR VERSION CONSUMER_DIR TOOLCHAIN_FILE RECORDING
set -euo pipefail

build=$(realpath "$1") version=$2 consumer=$(realpath "$3") toolchain=$(realpath "$4") recording=$(realpath "$5")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

# The build's dependency prefix, which no installed file may name.
deps=$(sed -n 's/^SDL2_DIR:PATH=\(.*\)\/lib\/cmake\/SDL2$/\1/p' "$build/CMakeCache.txt")
[ -n "$deps" ] || fail "no SDL2_DIR in $build/CMakeCache.txt"

(cd "$build" && cpack -G ZIP) >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
game_zip=$build/windcart-$version-win64.zip
sdk_zip=$build/larchfield-$version-win64-sdk.zip
for zip in "$game_zip" "$sdk_zip"; do
    [ -f "$zip" ] || fail "cpack made no $(basename "$zip")"
    unzip -q "$zip" -d "$work/$(basename "$zip" .zip)" || fail "$(basename "$zip") does not unpack"
done
game=$work/windcart-$version-win64
sdk=$work/larchfield-$version-win64-sdk
echo "ok: $(basename "$game_zip") ($(stat -c %s "$game_zip") bytes), $(basename "$sdk_zip") ($(stat -c %s "$sdk_zip") bytes)"

# The game, from elsewhere, loading DLLs from its own folder alone.
mkdir "$work/elsewhere" "$work/frames"
(cd "$work/elsewhere" && WINEPATH="" LF_REPLAY=$recording LF_CAPTURE=$work/frames LF_CAPTURE_EVERY=1000000 \
    wine "$game/windcart.exe") >"$work/game.log" 2>&1 || { cat "$work/game.log"; fail "the unpacked game"; }
[ -n "$(ls "$work/frames")" ] || fail "the unpacked game captured no last frame"
echo "ok: the unpacked game replays the recording to its end"

mv "$game/data" "$game/data-moved"
code=0
(cd "$work/elsewhere" && WINEPATH="" wine "$game/windcart.exe") >/dev/null 2>"$work/stderr" || code=$?
expected="windcart: cannot load ./data/font/FSEX300.ttf (looked in $(winepath -w "$game"))"
# Standard error is in Windows' text mode: the line ends in CR LF.
[ "$code" -ne 0 ] && [ "$(tr -d '\r' <"$work/stderr")" = "$expected" ] ||
    { cat "$work/stderr"; fail "without its data the game should say \"$expected\" and fail (status $code)"; }
echo "ok: without its data the game says which file is missing"

# The installer, run silently into a folder of Wine's drive C, installs a
# game that replays as the zip's does.
(cd "$build" && cpack -G NSIS) >"$work/nsis.log" 2>&1 || { cat "$work/nsis.log"; fail "cpack -G NSIS"; }
installer=$build/windcart-$version-win64.exe
[ -f "$installer" ] || fail "cpack made no $(basename "$installer")"
target="C:\\windcart-test-$$"
installed=$(winepath -u "$target")
trap 'rm -rf "$work" "$installed"' EXIT
wine "$installer" /S "/D=$target" || fail "the installer under Wine"
[ -f "$installed/windcart.exe" ] && [ -f "$installed/Uninstall.exe" ] && [ -d "$installed/data" ] ||
    fail "the installer left no windcart.exe, data and Uninstall.exe in $target"
mkdir "$work/installed-frames"
(cd "$work/elsewhere" && WINEPATH="" LF_REPLAY=$recording LF_CAPTURE=$work/installed-frames \
    LF_CAPTURE_EVERY=1000000 wine "$installed/windcart.exe") >"$work/installed.log" 2>&1 ||
    { cat "$work/installed.log"; fail "the installed game"; }
cmp -s "$work/frames/$(ls "$work/frames")" "$work/installed-frames/$(ls "$work/installed-frames")" ||
    fail "the installed game's last frame differs from the unpacked one's"
echo "ok: $(basename "$installer") installs a game that replays the recording alike"

# The SDK.
for file in include/Larchfield/Larchfield.h lib/libLarchfield.a lib/cmake/Larchfield/LarchfieldConfig.cmake \
    lib/pkgconfig/larchfield.pc bin/SDL2.dll lib/libSDL2.dll.a; do
    [ -e "$sdk/$file" ] || fail "the SDK has no $file"
done
named=$(grep -rlIF "$deps" "$sdk" || true)  # text files: the library's debug information may
[ -z "$named" ] || fail "SDK files name the build machine's $deps: $named"

cmake -S "$consumer" -B "$work/cmake" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_PREFIX_PATH="$sdk" \
    >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; fail "find_package(Larchfield) against the SDK"; }
cmake --build "$work/cmake" >"$work/build.log" 2>&1 || { cat "$work/build.log"; fail "building the consumer"; }
flags=$(PKG_CONFIG_LIBDIR=$sdk/lib/pkgconfig PKG_CONFIG_PATH="" pkg-config --cflags --libs larchfield) ||
    fail "pkg-config larchfield against the SDK"
x86_64-w64-mingw32-g++-posix "$consumer/consumer.cpp" -o "$work/pkgconfig-consumer.exe" $flags ||
    fail "building the consumer with pkg-config's flags"
echo "ok: the consumer builds against the SDK through find_package and pkg-config"

sdk_bin=$(winepath -w "$sdk/bin")
for program in "$work/cmake/consumer.exe" "$work/pkgconfig-consumer.exe"; do
    WINEPATH=$sdk_bin wine "$program" "$work/$(basename "$program").bmp" || fail "$(basename "$program") under Wine"
done
echo "ok: both consumers drew and read back their pixels"
