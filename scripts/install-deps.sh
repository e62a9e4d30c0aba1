#!/usr/bin/env bash
# Installs every Debian package needed to build, run and test Windcart and
# Larchfield. Safe to run again: packages already present are skipped.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev
    libftgl-dev libfreetype-dev libglew-dev libglu1-mesa-dev
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth x11-utils x11-xserver-utils libgl1-mesa-dri xdotool xclip imagemagick
    sox libsox-fmt-base libsox-fmt-mp3
    python3 universal-ctags
    fonts-unifont fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
