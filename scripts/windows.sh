#!/usr/bin/env bash
# Builds Larchfield, Windcart, the examples and the tests for 64-bit Windows
# and runs the tests under Wine on a virtual X server:
#
#   bash scripts/windows.sh            every test
#   bash scripts/windows.sh --subset   each test program once, the demo replay,
#                                      the examples, the packages (the test
#                                      command's share)
#
# Installs the mingw-w64 toolchain and Wine from Debian, then builds the
# dependencies from Debian's own source packages, once, into a cache outside
# the clone (${XDG_CACHE_HOME:-~/.cache}/larchfield-windows), keyed by their
# versions and by the recipe below: a change of either builds them anew.
# The cross build goes into build-win/. A step that fails says which in one
# line and leaves its output in a log named there.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

subset=0
case ${1:-} in
    --subset) subset=1 ;;
    "") ;;
    *) echo "usage: bash scripts/windows.sh [--subset]" >&2; exit 2 ;;
esac

fail() {
    echo "windows.sh: $*" >&2
    exit 1
}

# step LOG WHAT COMMAND...: runs the command with its output in LOG.
step() {
    local log=$1 what=$2
    shift 2
    "$@" >"$log" 2>&1 || fail "$what failed (log: $log)"
}

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# --- Debian packages ---------------------------------------------------------
bash scripts/install-deps.sh || fail "installing the Linux build's packages failed"
packages=(
    gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    libz-mingw-w64-dev wine wine64 nsis dpkg-dev xz-utils zip unzip
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q >/dev/null || fail "apt-get update failed"
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null ||
        fail "installing ${missing[*]} failed"
fi
for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-objdump wine wineserver makensis xvfb-run cmake; do
    command -v "$tool" >/dev/null || fail "$tool is missing after the install"
done

# --- Dependencies, from Debian's source packages -----------------------------
cache=${XDG_CACHE_HOME:-$HOME/.cache}/larchfield-windows
toolchain=$root/cmake/mingw-w64-x86_64.cmake
sources=(libpng1.6 libjpeg-turbo freetype libsdl2 libsdl2-image libsdl2-mixer glew ftgl googletest)

# A private apt state that knows the source packages of the archive this
# machine uses; the system's own configuration is left as it is.
apt_dir=$cache/apt
mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
rm -f "$apt_dir"/sources/*
for f in /etc/apt/sources.list.d/*.sources; do
    if [ -e "$f" ]; then
        sed 's/^Types:.*/Types: deb-src/' "$f" >"$apt_dir/sources/$(basename "$f")"
    fi
done
if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >"$apt_dir/sources/system.list"
fi
private_apt=(apt-get -q -o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/sources"
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
    -o APT::Sandbox::User=root)
step "$apt_dir/update.log" "apt-get update of the source package lists" "${private_apt[@]}" update

# The version of every source package (its .dsc file) names the build.
dscs=()
for p in "${sources[@]}"; do
    dsc=$("${private_apt[@]}" source --print-uris "$p" 2>/dev/null | grep -o "'[^']*\.dsc'" | head -1 | tr -d "'") ||
        true
    [ -n "$dsc" ] || fail "no source package $p in the archive"
    dscs+=("${dsc##*/}")
done

# Each source into WORK/<package>, with Debian's patches applied; where the
# archive no longer serves a package's .dsc or patch set (it has answered 404
# for some), its upstream source as it is.
fetch_sources() {
    local work=$1 p dsc orig
    mkdir -p "$work/download"
    (cd "$work/download" && "${private_apt[@]}" source --download-only "${sources[@]}") \
        >"$work/download.log" 2>&1 || true
    for p in "${sources[@]}"; do
        dsc=$(ls "$work/download/${p}"_*.dsc 2>/dev/null || true)
        if [ -n "$dsc" ] && dpkg-source --no-check -x "$dsc" "$work/$p" >>"$work/download.log" 2>&1; then
            continue
        fi
        orig=$(ls "$work/download/${p}"_*.orig.tar.* 2>/dev/null | grep -v '\.asc$' | head -1) ||
            fail "the source of $p did not arrive (log: $work/download.log)"
        echo "windows.sh: $p without Debian's patches, which the archive did not serve"
        rm -rf "${work:?}/$p"
        mkdir -p "$work/$p"
        tar xf "$orig" -C "$work/$p" --strip-components=1 || fail "unpacking $orig failed"
    done
}

# How each dependency is built; a change here or in the toolchain file builds
# them all anew.
build_dependencies() {
    local prefix=$1 work=$2
    local mingw=/usr/x86_64-w64-mingw32
    local gcc_dir
    gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")

    # Debian ships zlib built for mingw; a copy keeps the prefix whole. So do
    # the compiler's run-time libraries, which every program here needs.
    mkdir -p "$prefix/bin" "$prefix/lib/pkgconfig" "$prefix/include"
    cp "$mingw/include/zlib.h" "$mingw/include/zconf.h" "$prefix/include/"
    cp "$mingw/lib/libz.dll.a" "$prefix/lib/"
    cp "$mingw/lib/zlib1.dll" "$mingw/lib/libwinpthread-1.dll" \
        "$gcc_dir/libstdc++-6.dll" "$gcc_dir/libgcc_s_seh-1.dll" "$prefix/bin/"
    sed "s|^prefix=.*|prefix=$prefix|" "$mingw/lib/pkgconfig/zlib.pc" >"$prefix/lib/pkgconfig/zlib.pc"

    local common=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_PREFIX_PATH="$prefix"
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON)
    dep() {
        local name=$1 dir=$2
        shift 2
        step "$work/$name.log" "building $name for Windows" \
            bash -c 'cmake -S "$1" -B "$2" "${@:4}" && cmake --build "$2" -j2 && cmake --install "$2"' \
            _ "$dir" "$work/build-$name" "$name" "${common[@]}" "$@"
    }
    dep libpng "$work/libpng1.6" -DPNG_STATIC=OFF -DPNG_EXECUTABLES=OFF -DPNG_TESTS=OFF
    dep libjpeg-turbo "$work/libjpeg-turbo" -DENABLE_STATIC=OFF -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
    dep freetype "$work/freetype" -DFT_REQUIRE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
        -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
    dep SDL2 "$work/libsdl2" -DSDL_TEST=OFF -DSDL_STATIC=OFF
    # PNG and JPEG through libpng and libjpeg, as on Linux: pictures saved as
    # PNG come out the same.
    dep SDL2_image "$work/libsdl2-image" -DSDL2IMAGE_BACKEND_STB=OFF -DSDL2IMAGE_DEPS_SHARED=OFF \
        -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_SAMPLES=OFF
    dep SDL2_mixer "$work/libsdl2-mixer" -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_DEPS_SHARED=OFF \
        -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_FLAC_LIBFLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF \
        -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_MP3_MPG123=OFF
    dep GLEW "$work/glew/build/cmake" -DBUILD_UTILS=OFF
    # FTGL is linked in statically. Its CMake build names a header that is
    # not there and installs no pkg-config file.
    sed -i '/^ *FTLibrary\.h$/d' "$work/ftgl/src/CMakeLists.txt"
    dep FTGL "$work/ftgl" -DBUILD_SHARED_LIBS=OFF
    cat >"$prefix/lib/pkgconfig/ftgl.pc" <<'EOF'
prefix=${pcfiledir}/../..
libdir=${prefix}/lib
includedir=${prefix}/include

Name: FTGL
Description: OpenGL front end to FreeType 2 (static)
Version: 2.4.0
Requires: freetype2 glu gl
Libs: -L${libdir} -lftgl
Cflags: -I${includedir} -DFTGL_LIBRARY_STATIC
EOF
    # mingw has OpenGL and GLU import libraries but no pkg-config files.
    printf 'Name: gl\nDescription: OpenGL\nVersion: 1.1\nLibs: -lopengl32\n' >"$prefix/lib/pkgconfig/gl.pc"
    printf 'Name: glu\nDescription: OpenGL utility library\nVersion: 1.3\nRequires: gl\nLibs: -lglu32\n' \
        >"$prefix/lib/pkgconfig/glu.pc"
    # GoogleTest is for the tests alone, in a prefix of its own.
    common=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix/gtest" -DCMAKE_BUILD_TYPE=Release)
    dep googletest "$work/googletest" -DBUILD_GMOCK=OFF -DBUILD_SHARED_LIBS=OFF

    # pkg-config files that find their prefix from their own place, so that an
    # unpacked SDK can be used wherever it lies. FTGL's CMake package and the
    # shell scripts that print flags (sdl2-config, libpng-config) name this
    # prefix for good, and ftgl.pc and the other .pc files serve instead.
    local pc
    for pc in "$prefix"/lib/pkgconfig/*.pc; do
        sed -i "s|^prefix=$prefix\$|prefix=\${pcfiledir}/../..|; s|=$prefix\$|=\${prefix}|; s|$prefix/|\${prefix}/|g" "$pc"
    done
    rm -rf "$prefix/cmake" "$prefix"/bin/*-config
}

# zlib and the compiler are Debian's mingw-w64 packages, taken as they are.
key=$( (printf '%s\n' "${dscs[@]}"
    dpkg-query -W -f='${Package} ${Version}\n' libz-mingw-w64-dev g++-mingw-w64-x86-64-posix
    declare -f fetch_sources build_dependencies; cat "$toolchain") | sha256sum | cut -c1-16)
deps=$cache/deps-$key
if [ ! -e "$deps/.complete" ]; then
    echo "windows.sh: building the dependencies for Windows into $deps (a few minutes, once)"
    rm -rf "$deps" "$cache/work"
    fetch_sources "$cache/work"
    build_dependencies "$deps" "$cache/work"
    touch "$deps/.complete"
    # Builds for other versions are of no more use.
    find "$cache" -maxdepth 1 -name 'deps-*' ! -name "deps-$key" -exec rm -rf {} +
    rm -rf "$cache/work"
fi

# --- Wine ---------------------------------------------------------------------
# A prefix of its own beside the dependencies; the programs find the DLLs
# through WINEPATH (drive Z: is the root of the host's files). Mono and Gecko
# are not wanted (no .NET, no web pages).
export WINEPREFIX=$cache/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPATH="Z:${deps//\//\\}\\bin"
if [ ! -e "$WINEPREFIX/system.reg" ]; then
    step "$cache/wineboot.log" "making the Wine prefix $WINEPREFIX" wineboot -i
    wineserver -w  # the registry is written as the server ends
fi
# The virtual X server has no window manager, and Wine waits two seconds for
# one whenever it hides a window it leaves to one: it places its windows itself.
if ! grep -qs '^"Managed"="N"' "$WINEPREFIX/user.reg"; then
    step "$cache/wine-managed.log" "setting Wine's X11 driver to place windows itself" \
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
    wineserver -w
fi

# --- The builds -----------------------------------------------------------------
# The Linux build's game, whose pictures the Windows build's must match: in
# build/, as scripts/test.sh configures it.
mkdir -p build
if [ ! -e build/CMakeCache.txt ]; then
    step build/configure.log "configuring the Linux build" \
        cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLF_BUILD_BENCHMARKS=ON
fi
step build/windcart.log "building the Linux game" cmake --build build -j2 --target windcart

# A build made against dependencies of other versions starts anew: CMake
# keeps what it found of them.
build=$root/build-win
grep -qF "CMAKE_PREFIX_PATH:UNINITIALIZED=$deps;" "$build/CMakeCache.txt" 2>/dev/null || rm -rf "$build"
mkdir -p "$build"
step "$build/configure.log" "configuring the Windows build" \
    cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_PREFIX_PATH="$deps;$deps/gtest" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLF_LINUX_GAME="$root/build/src/windcart"
step "$build/build.log" "building for Windows" cmake --build "$build" -j2

# --- The tests -----------------------------------------------------------------
# Under a virtual X server; Wine's OpenGL is the host's Mesa. Wine's own
# services are started anew, on this display, and kept for the whole run
# (ctest waits on them otherwise), then ended. The failed tests are run once
# more, as on Linux (a Wine process has been seen not to end after its test
# passed, once in over a thousand); those that pass then are named at the end.
export SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1
if [ "$subset" = 1 ]; then
    selection=(-L subset)
else
    selection=(-LE whole)
fi
# shellcheck disable=SC2016
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" bash -c '
    build=$0
    wineserver -k 2>/dev/null && wineserver -w
    wineserver -p && wine cmd.exe /c exit || { echo "windows.sh: starting Wine failed" >&2; exit 1; }
    status=0 second_try=none
    if ! ctest --test-dir "$build" -j2 --output-on-failure "$@"; then
        second_try=$(sed "s/^[0-9]*://" "$build/Testing/Temporary/LastTestsFailed.log" | tr "\n" " ")
        ctest --test-dir "$build" -j2 --output-on-failure --rerun-failed || status=$?
    fi
    wineserver -k
    [ "$status" -eq 0 ] && echo "windows.sh: passed only on a second try: $second_try"
    exit $status' "$build" "${selection[@]}"
