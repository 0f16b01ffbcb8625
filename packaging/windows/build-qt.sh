#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
#
# Builds Qt's base module for 64-bit Windows with Debian's mingw-w64, once, into a cache folder outside the tree,
# and prints that folder. Debian ships no Qt for mingw, so it is made from Debian's own source of the host's Qt
# (the same version, so the host's moc, rcc and uic serve the cross build).
#
#   packaging/windows/build-qt.sh          build unless the cache holds it; print the Qt folder
#   packaging/windows/build-qt.sh --where  print the Qt folder if the cache holds it, else exit 1
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_root=$(cd "$here/../.." && pwd)
. "$here/debian-source.sh"

qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
# Only what Orvane uses (Core, Gui, Widgets, Test) is built. Debian's source leaves out the tablet library the
# Windows platform plugin needs for tablet events; OpenGL stays on because the 6.4 plugin does not compile without
# it (it is loaded at run time).
qt_options=(-DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_openssl=OFF
    -DFEATURE_tabletevent=OFF -DFEATURE_sql_sqlite=OFF -DFEATURE_system_zlib=OFF -DFEATURE_pkg_config=OFF)
# The key holds what shapes the result: the Qt version and the options, with the compilers of the toolchain file
# (x86_64-w64-mingw32, posix threads, shared runtime). A change to how that file compiles must change this list.
options_hash=$(echo "x86_64-w64-mingw32-posix shared-runtime ${qt_options[*]}" | sha256sum | cut -c1-12)
cache_root=${ORVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/orvane}
key="qt-${qt_version//[^0-9A-Za-z.]/_}-mingw-$options_hash"
prefix="$cache_root/$key/qt"

cached "$prefix" "${1:-}"
if [ -z "$qt_version" ]; then
    echo "qt6-base-dev is not installed: run ./dev.sh test first" >&2
    exit 1
fi
install_missing dpkg-dev g++-mingw-w64-x86-64 ninja-build cmake qt6-base-dev qt6-base-dev-tools

work="$cache_root/$key"
mkdir -p "$work"
cd "$work"
if ! ls -d qt6-base-*/ >/dev/null 2>&1; then
    debian_source qt6-base="$qt_version"
fi
qt_source=$(ls -d qt6-base-*/ | head -n 1)

started=$(date +%s)
cmake -S "$qt_source" -B build -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$source_root/cmake/mingw-w64-x86_64.cmake" -DORVANE_SHARED_RUNTIME=ON \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    "${qt_options[@]}"
cmake --build build --parallel "$(nproc)"
cmake --install build
touch "$prefix/.complete"
echo "Qt for Windows built in $(($(date +%s) - started)) s into $prefix" >&2
echo "$prefix"
