#!/usr/bin/env bash
# Provides Qt 6 (Core, Gui, Widgets, Test) built for 64-bit Windows with MinGW-w64, in a cache folder
# outside every build, and prints that folder. Usage: qt-mingw.sh
#
# A ready build beside the checkout (../shared/qt-mingw/qt-*-mingw-w64.tar.xz) is unpacked; without
# one, the Qt base module is built from Debian's own source package of the same version as the
# host's Qt tools (about 25 minutes on 2 cores). Either way it happens once: later runs print the
# cached folder at once.
#
# Environment: VREL_CACHE_DIR (default ~/.cache/vrel) holds the result; VREL_SHARED_DIR (default
# ../shared beside the checkout) is where a ready build is looked for.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${VREL_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vrel}"
shared="${VREL_SHARED_DIR:-$root/../shared}"

# The Windows Qt must match the host's moc, rcc and uic exactly.
host_version="$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null || true)"
if [ -z "$host_version" ]; then
    echo "qt-mingw.sh: the host's Qt tools (qt6-base-dev-tools) are not installed" >&2
    exit 1
fi
qt_version="${host_version#*:}"
qt_version="${qt_version%%[+-]*}"
prefix="$cache/qt-$qt_version-mingw-w64"

if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
mkdir -p "$cache"
# One provider at a time: a second caller waits and then finds the finished folder.
exec 9>"$cache/qt-$qt_version-mingw-w64.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
rm -rf "$prefix" "$prefix.partial"

ready="$shared/qt-mingw/qt-$qt_version-mingw-w64.tar.xz"
if [ -f "$ready" ]; then
    echo "qt-mingw.sh: unpacking $ready" >&2
    mkdir -p "$prefix.partial"
    tar -C "$prefix.partial" -xJf "$ready"
else
    echo "qt-mingw.sh: no ready build at $ready; building Qt $qt_version for MinGW-w64" >&2
    # shellcheck source=scripts/debian-source.sh
    . "$root/scripts/debian-source.sh"
    debian_source_entries qt6-base
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends \
        dpkg-dev mingw-w64 ninja-build cmake qt6-base-dev qt6-base-dev-tools

    work="$cache/qt-$qt_version-source"
    rm -rf "$work"
    mkdir -p "$work"
    (cd "$work" && apt-get source "qt6-base=$host_version")
    source_dir="$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*')"

    # The tool chain Qt is built with; Qt's own toolchain file loads it again from the prefix.
    toolchain="$work/mingw-w64-posix.cmake"
    cat >"$toolchain" <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF
    # Debian's source leaves out the tablet headers, so tablet events are off; dynamic OpenGL must
    # be off once OpenGL is, or the windows platform plugin does not compile. Everything Qt needs
    # beyond the system's own libraries is built from Qt's bundled copies.
    cmake -G Ninja -S "$source_dir" -B "$work/build" \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(gcc -dumpmachine)/cmake" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
        -DFEATURE_dynamicgl=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF \
        -DFEATURE_xml=OFF -DFEATURE_icu=OFF -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
        -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
    cmake --build "$work/build" --parallel "$(nproc)"
    cmake --install "$work/build" --prefix "$prefix.partial"
    x86_64-w64-mingw32-strip --strip-unneeded "$prefix.partial"/bin/*.dll \
        "$prefix.partial"/plugins/*/*.dll
    cp "$toolchain" "$prefix.partial/"
    rm -rf "$work"
fi

for needed in bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6Test.dll \
    plugins/platforms/qwindows.dll plugins/platforms/qoffscreen.dll lib/cmake/Qt6/Qt6Config.cmake; do
    if [ ! -f "$prefix.partial/$needed" ]; then
        echo "qt-mingw.sh: the Windows Qt lacks $needed" >&2
        exit 1
    fi
done
touch "$prefix.partial/.complete"
mv "$prefix.partial" "$prefix"
echo "$prefix"
