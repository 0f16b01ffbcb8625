#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
#
# Builds libarchive for 64-bit Windows with Debian's mingw-w64, with what it needs to read zip and 7z directories
# (zlib, liblzma), and expat, which reads the emulator's software lists, as static libraries, once, into the same
# cache as Qt for Windows, and prints that folder. Debian ships none of them for mingw, so they are made from
# Debian's own sources (the release's current ones; the cache is keyed by the host's versions of the four, so an
# update of them builds anew).
#
#   packaging/windows/build-libarchive.sh          build unless the cache holds it; print the folder
#   packaging/windows/build-libarchive.sh --where  print the folder if the cache holds it, else exit 1
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_root=$(cd "$here/../.." && pwd)
. "$here/debian-source.sh"

version() { dpkg-query -W -f='${Version}' "$1" 2>/dev/null | tr -c '0-9A-Za-z.\n' _; }
# What shapes the result: the host's versions of the four, the compilers (x86_64-w64-mingw32, posix threads) and
# the options below. A change to either must change this list.
options_hash=$(echo "x86_64-w64-mingw32-posix static zip-7z-only-1 expat-1" | sha256sum | cut -c1-12)
cache_root=${ORVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/orvane}
key() {
    echo "libarchive-$(version libarchive-dev)-zlib-$(version zlib1g-dev)-lzma-$(version liblzma-dev)-expat-$(version libexpat1-dev)-mingw-$options_hash"
}

cached "$cache_root/$(key)/prefix" "${1:-}"
install_missing dpkg-dev g++-mingw-w64-x86-64 ninja-build cmake make libarchive-dev zlib1g-dev liblzma-dev libexpat1-dev
# Named again now that the four are installed.
key=$(key)
prefix="$cache_root/$key/prefix"
cached "$prefix"

work="$cache_root/$key"
mkdir -p "$work"
cd "$work"
ls -d zlib-*/ >/dev/null 2>&1 || debian_source zlib
ls -d xz-utils-*/ >/dev/null 2>&1 || debian_source xz-utils
ls -d libarchive-*/ >/dev/null 2>&1 || debian_source libarchive
ls -d expat-*/ >/dev/null 2>&1 || debian_source expat
started=$(date +%s)
toolchain="$source_root/cmake/mingw-w64-x86_64.cmake"
mkdir -p "$prefix/include" "$prefix/lib"

# zlib, its static library alone.
zlib_source=$(ls -d zlib-*/ | head -n 1)
cmake -S "$zlib_source" -B build-zlib -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    >/dev/null
cmake --build build-zlib --target zlibstatic
cp "$zlib_source/zlib.h" build-zlib/zconf.h "$prefix/include/"
cp build-zlib/libzlibstatic.a "$prefix/lib/libz.a"

# liblzma alone: the xz programs are not needed.
lzma_source=$(ls -d xz-utils-*/ | head -n 1)
cmake -S "$lzma_source" -B build-lzma -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
cmake --build build-lzma --target liblzma
cp "$lzma_source/src/liblzma/api/lzma.h" "$prefix/include/"
cp -r "$lzma_source/src/liblzma/api/lzma" "$prefix/include/"
cp build-lzma/liblzma.a "$prefix/lib/"

# libarchive: reading and writing (the tests make archives with it), zip and 7z with deflate and LZMA; nothing
# else it could link. Its check whether zlib wants ZLIB_WINAPI runs a program, which a cross build cannot: zlib
# built above does not.
archive_source=$(ls -d libarchive-*/ | head -n 1)
cmake -S "$archive_source" -B build-archive -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" \
    -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a" \
    -DLIBLZMA_INCLUDE_DIR="$prefix/include" -DLIBLZMA_LIBRARY="$prefix/lib/liblzma.a" \
    -DENABLE_ZLIB=ON -DENABLE_LZMA=ON -DENABLE_BZip2=OFF -DENABLE_ZSTD=OFF -DENABLE_LZ4=OFF -DENABLE_LZO=OFF \
    -DENABLE_LIBB2=OFF -DENABLE_LIBXML2=OFF -DENABLE_EXPAT=OFF -DENABLE_OPENSSL=OFF -DENABLE_MBEDTLS=OFF \
    -DENABLE_NETTLE=OFF -DENABLE_CNG=OFF -DENABLE_ICONV=OFF -DENABLE_PCREPOSIX=OFF -DENABLE_PCRE2POSIX=OFF \
    -DENABLE_ACL=OFF -DENABLE_XATTR=OFF -DENABLE_TAR=OFF -DENABLE_CPIO=OFF -DENABLE_CAT=OFF -DENABLE_TEST=OFF \
    -DENABLE_INSTALL=OFF -DENABLE_WERROR=OFF -DZLIB_WINAPI_EXITCODE=1 -DZLIB_WINAPI_EXITCODE__TRYRUN_OUTPUT= \
    >/dev/null
cmake --build build-archive --target archive_static
cp "$archive_source/libarchive/archive.h" "$archive_source/libarchive/archive_entry.h" "$prefix/include/"
cp build-archive/libarchive/libarchive_static.a "$prefix/lib/libarchive.a"
# expat alone: its programs, tests and documents are not needed, nor parameter entities (the lists have none; and
# Debian's patches test the switch for a value its CMake build does not give). Debian's source holds it in a folder
# "expat".
expat_source=$(ls -d expat-*/ | head -n 1)
[ -f "$expat_source/CMakeLists.txt" ] || expat_source="${expat_source}expat/"
cmake -S "$expat_source" -B build-expat -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF \
    -DEXPAT_BUILD_DOCS=OFF -DEXPAT_BUILD_PKGCONFIG=OFF -DEXPAT_DTD=OFF >/dev/null
cmake --build build-expat --target expat
cp "$expat_source/lib/expat.h" "$expat_source/lib/expat_external.h" "$prefix/include/"
cp "$(ls build-expat/libexpat*.a | head -n 1)" "$prefix/lib/libexpat.a"
touch "$prefix/.complete"
echo "libarchive and expat for Windows built in $(($(date +%s) - started)) s into $prefix" >&2
echo "$prefix"
