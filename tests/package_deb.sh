#!/usr/bin/env bash
# Makes the Debian packages of a build with `cpack -G DEB`, checks their names,
# versions, dependencies and contents, unpacks both with dpkg-deb -x into a
# temporary root (nothing is installed on the machine), then starts the game
# from there and builds and runs the consumer against the unpacked
# development package.
# Usage: package_deb.sh BUILD VERSION TESTS_DIR
set -euo pipefail

build=$(realpath "$1")
version=$2
tests=$(realpath "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

. "$(dirname "$0")/lib.sh"

(cd "$build" && cpack -G DEB -B "$work/debs" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
arch=$(dpkg --print-architecture)
dev=$work/debs/liblarchfield-dev_${version}_$arch.deb
game=$work/debs/windcart_${version}_$arch.deb
for deb in "$dev" "$game"; do
    [ -f "$deb" ] || { ls "$work/debs"; echo "FAIL: no $(basename "$deb")"; exit 1; }
    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "$(basename "$deb"): version is not $version"
done
[ "$(ls "$work/debs"/*.deb | wc -l)" -eq 2 ] || fail "not exactly two packages: $(ls "$work/debs")"

# name, package, control field, the patterns it must hold
holds() {
    local name=$1 deb=$2 field=$3 value pattern
    shift 3
    value=$(dpkg-deb -f "$deb" "$field")
    for pattern in "$@"; do
        grep -qE -- "$pattern" <<<"$value" || fail "$name: $field has no $pattern: $value"
    done
}
holds liblarchfield-dev "$dev" Depends 'libsdl2-dev' 'libsdl2-image-dev' 'libsdl2-mixer-dev' 'libftgl-dev' \
    'libglew-dev' 'libgl-dev' 'libglu1-mesa-dev'
holds windcart "$game" Depends 'libsdl2-2\.0-0' 'libsdl2-image-2\.0-0' 'libsdl2-mixer-2\.0-0' 'libftgl2' \
    'libglew2' 'libglu1' 'libgl1'
holds liblarchfield-dev "$dev" Section libdevel
holds windcart "$game" Section games

# name, package, the paths it must hold
contains() {
    local name=$1 deb=$2 path
    shift 2
    dpkg-deb -c "$deb" | awk '{print $6}' >"$work/list"
    for path in "$@"; do
        grep -qE -- "$path" "$work/list" || fail "$name holds no $path"
    done
}
contains liblarchfield-dev "$dev" '/include/Larchfield/Larchfield\.h$' '/libLarchfield\.a$' \
    '/cmake/Larchfield/LarchfieldConfig\.cmake$' '/cmake/Larchfield/LarchfieldConfigVersion\.cmake$' \
    '/pkgconfig/larchfield\.pc$'
contains windcart "$game" '^\./usr/bin/windcart$' '/windcart/windcart$' '/windcart/data/font/FSEX300\.ttf$' \
    '/windcart/data/notes/c#1\.wav$'
[ "$status" -eq 0 ] && echo "ok: $(basename "$dev") and $(basename "$game"): versions, Depends, contents"

mkdir "$work/root"
dpkg-deb -x "$dev" "$work/root"
dpkg-deb -x "$game" "$work/root"
"$tests/install_game.sh" "$work/root/usr" || status=1
"$tests/install_consumer.sh" "$work/root/usr" static "$tests/consumer" || status=1
exit $status
