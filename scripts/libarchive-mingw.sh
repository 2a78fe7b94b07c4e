#!/usr/bin/env bash
# Provides libarchive with liblzma, built for 64-bit Windows with MinGW-w64 as static libraries, in
# a cache folder beside the Windows Qt, and prints that folder. Usage: libarchive-mingw.sh
#
# Both come from Debian's own source packages (libarchive, xz-utils), built once (about two minutes
# on 2 cores); later runs print the cached folder at once. Only what .zip and .7z mods need is in:
# zip (stored, deflate through MinGW's zlib) and 7z (LZMA, LZMA2 and the filters 7-Zip puts before
# them). No OpenSSL, bzip2, zstd, XML or iconv: libarchive converts names with Windows' own API.
#
# Environment: VREL_CACHE_DIR (default ~/.cache/vrel) holds the result.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${VREL_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vrel}"

# The cached folder is named after the source versions the machine's package lists offer.
source_version() {
    apt-cache showsrc "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -n 1
}
# shellcheck source=scripts/debian-source.sh
. "$root/scripts/debian-source.sh"
debian_source_entries libarchive >&2
archive_version="$(source_version libarchive)"
lzma_version="$(source_version xz-utils)"
if [ -z "$archive_version" ] || [ -z "$lzma_version" ]; then
    echo "libarchive-mingw.sh: no source packages for libarchive and xz-utils" >&2
    exit 1
fi
prefix="$cache/libarchive-$archive_version-xz-$lzma_version-mingw-w64"

if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
mkdir -p "$cache"
# One provider at a time: a second caller waits and then finds the finished folder.
exec 9>"$prefix.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
rm -rf "$prefix" "$prefix.partial"
echo "libarchive-mingw.sh: building libarchive $archive_version and liblzma $lzma_version" >&2

work="$prefix.source"
rm -rf "$work"
mkdir -p "$work" "$prefix.partial"
(cd "$work" && apt-get source -q "libarchive=$archive_version" "xz-utils=$lzma_version") >&2
lzma_source="$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'xz-utils-*')"
archive_source="$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'libarchive-*')"
jobs="$(nproc)"

# liblzma: the library alone, static, without the command-line tools, translations or manuals.
(
    mkdir -p "$work/xz-build" && cd "$work/xz-build"
    "$lzma_source/configure" --host=x86_64-w64-mingw32 --prefix="$prefix.partial" \
        --enable-static --disable-shared --disable-xz --disable-xzdec --disable-lzmadec \
        --disable-lzmainfo --disable-lzma-links --disable-scripts --disable-doc --disable-nls \
        CC=x86_64-w64-mingw32-gcc-posix CFLAGS=-O2
    make -j"$jobs"
    make install
) >&2

# libarchive: the static library only, without its programs, tests and pattern matching.
cat >"$work/toolchain.cmake" <<TOOLCHAIN
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "$prefix.partial")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN
off=()
for feature in OPENSSL MBEDTLS NETTLE LIBB2 LZ4 LZO ZSTD BZip2 LIBXML2 EXPAT PCREPOSIX LIBGCC CNG \
    ICONV ACL XATTR TAR CPIO CAT TEST COVERAGE WERROR; do
    off+=("-DENABLE_$feature=OFF")
done
# MinGW's zlib uses the C calling convention. Said in advance, since libarchive would find it out by
# running a test program, which a cross build cannot (and CMake 3.25 crashes trying).
zlib=/usr/x86_64-w64-mingw32/lib/libz.a
(
    cmake -G Ninja -S "$archive_source" -B "$work/archive-build" \
        -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DENABLE_ZLIB=ON -DENABLE_LZMA=ON "${off[@]}" -DPOSIX_REGEX_LIB=NONE \
        -DLIBLZMA_INCLUDE_DIR="$prefix.partial/include" \
        -DLIBLZMA_LIBRARY="$prefix.partial/lib/liblzma.a" -DZLIB_LIBRARY="$zlib" \
        -DZLIB_WINAPI=OFF -DZLIB_WINAPI_WITH_LIB="$zlib"
    cmake --build "$work/archive-build" --target archive_static --parallel "$jobs"
) >&2
cp "$work/archive-build/libarchive/libarchive_static.a" "$prefix.partial/lib/libarchive.a"
cp "$archive_source/libarchive/archive.h" "$archive_source/libarchive/archive_entry.h" \
    "$prefix.partial/include/"
rm -rf "$prefix.partial/bin" "$prefix.partial/share" "$prefix.partial/lib/pkgconfig" \
    "$prefix.partial/lib/liblzma.la" "$work"

touch "$prefix.partial/.complete"
mv "$prefix.partial" "$prefix"
echo "$prefix"
