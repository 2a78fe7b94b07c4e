#!/usr/bin/env bash
# Installs the Debian packages that building, testing and the demo need, only where missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config ccache
    zlib1g-dev libdeflate-dev libarchive-dev libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev libgl-dev
    xvfb xauth x11-apps imagemagick fonts-dejavu-core
    clang-format
    clang-14 libclang-rt-14-dev
    mingw-w64 libz-mingw-w64-dev googletest wine wine64
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
