#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
#
#   ./dev.sh run      install what is missing, build what the demo needs, and start Orvane on the demo program folder
#   ./dev.sh check    for day-to-day work: the formatting, a build, then the main build's tests (no sanitizer, fuzz
#                     or Wine stage)
#   ./dev.sh test     install what is missing, build, and run every test headless: the formatting, the suite,
#                     the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of
#                     each fuzz target; with the Windows program and its tests under Wine when Qt for Windows
#                     has been built
#   ./dev.sh windows  build Qt for Windows once (into a cache outside the tree), then Orvane.exe and its zips
# The build trees are CMake's presets (CMakePresets.json), which an IDE opens as well; this script installs what is
# missing and runs them in CI's order.
set -euo pipefail
cd "$(dirname "$0")"

action=${1:-}
case "$action" in
run | check | test | windows) ;;
*)
    echo "usage: $0 run|check|test|windows" >&2
    exit 2
    ;;
esac

# Debian 12 packages: the compiler and build tools, Qt 6, fonts close to the window's own, and for the tests an
# X server with the tools that drive it.
packages=(build-essential cmake ninja-build qt6-base-dev libarchive-dev libexpat1-dev fonts-dejavu-core fonts-liberation2
    xvfb xdotool x11-utils python3-xlib desktop-file-utils)
# The fuzz targets are built with clang's libFuzzer; the platform layer and the bridge are also built for Windows,
# with libarchive made from Debian's sources; a journey reads a tool tip off the screen with tesseract.
[ "$action" = check ] && packages+=(clang-format-14)
[ "$action" = test ] && packages+=(clang-14 libclang-rt-14-dev g++-mingw-w64-x86-64 clang-format-14 dpkg-dev zlib1g-dev
    liblzma-dev tesseract-ocr)
# Qt for Windows is built from Debian's source of the host's Qt, with the host's moc, rcc and uic.
[ "$action" = windows ] && packages+=(g++-mingw-w64-x86-64 dpkg-dev qt6-base-dev-tools)

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing ${missing[*]}"
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${missing[@]}"
fi

# CI's first step, and the quick loop's: a change that passes ./dev.sh check is formatted as CI wants.
check_formatting() {
    echo "== The formatting: every source as clang-format-14 writes it (.clang-format)"
    if ! git ls-files '*.cpp' '*.h' | xargs clang-format-14 --dry-run -Werror; then
        echo "These sources are not formatted: cmake --build build --target format" >&2
        exit 1
    fi
}

if [ "$action" = run ]; then
    # Only what the demo folder and an install need: the program, the stand-in, the bridge and the icons (the tests
    # and benchmarks are left for ./dev.sh test).
    [ -f build/build.ninja ] || echo "The first build takes about a minute and a half on two cores; later ones take seconds."
    cmake --preset default
    cmake --build --preset demo
    exec build/demo/orvane
fi

if [ "$action" = check ]; then
    check_formatting
    cmake --preset default
    cmake --build --preset default
    exec ctest --preset default --parallel "$(nproc)" --exclude-regex 'under_wine'
fi

# Orvane.exe and its zips, built against Qt for Windows ($1) with the same build description; the build for this
# machine (build/) gives what must run at build time.
build_windows_program() {
    ORVANE_QT_FOR_WINDOWS="$1" ORVANE_LIBARCHIVE_FOR_WINDOWS="$(packaging/windows/build-libarchive.sh | tail -n 1)" \
        cmake --preset windows-program
    cmake --build --preset windows-program
    packaging/windows/make-zips.sh build-windows-program "$1" build-windows-program/zips
}

if [ "$action" = windows ]; then
    cmake --preset default
    cmake --build --preset default
    qt=$(packaging/windows/build-qt.sh | tail -n 1)
    build_windows_program "$qt"
    exit 0
fi

# Wine runs the Windows tests; where it cannot be installed, those tests say so and are skipped.
if ! dpkg-query -W -f='${Status}' wine64 2>/dev/null | grep -q 'install ok installed'; then
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends wine64 ||
        echo "Wine could not be installed: the Windows tests will be skipped."
fi
# The emulator users really have, for the journeys through the bridge; where it cannot be installed, those tests
# say so and are skipped.
if ! dpkg-query -W -f='${Status}' mame 2>/dev/null | grep -q 'install ok installed'; then
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends mame ||
        echo "The emulator (mame) could not be installed: the tests that play with it will be skipped."
fi
check_formatting
# The Windows bridge reads archives and lists with libarchive and expat built for Windows, once, into the cache
# (about two minutes).
ORVANE_LIBARCHIVE_FOR_WINDOWS=$(packaging/windows/build-libarchive.sh | tail -n 1)
export ORVANE_LIBARCHIVE_FOR_WINDOWS
cmake --preset windows
cmake --build --preset windows
export ORVANE_WINDOWS_BUILD_DIR="$(pwd)/build-windows" ORVANE_WINDOWS_PROGRAM_DIR="" ORVANE_QT_FOR_WINDOWS=""
if qt=$(packaging/windows/build-qt.sh --where); then
    ORVANE_WINDOWS_PROGRAM_DIR="$(pwd)/build-windows-program"
    ORVANE_QT_FOR_WINDOWS="$qt"
else
    echo "The Windows program is not built: Qt for Windows is not in the cache; ./dev.sh windows builds it once."
fi
cmake --preset default
cmake --build --preset default
if [ -n "$ORVANE_QT_FOR_WINDOWS" ]; then
    build_windows_program "$qt"
fi
ctest --preset default --parallel "$(nproc)"

echo "== The suite again, under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize
cmake --build --preset sanitize
# Every report goes to a file as well, so one from a process nobody waits for (the emulator) is not missed.
reports=$(pwd)/build-sanitize/sanitizer-reports
rm -rf "$reports" && mkdir -p "$reports"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:log_path=$reports/asan"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$reports/ubsan"
export LSAN_OPTIONS="suppressions=$(pwd)/tests/sanitizers/lsan.supp:print_suppressions=0"
# The reports are shown when a test fails too: they often say why.
failed=0
ctest --preset sanitize --parallel "$(nproc)" || failed=$?
if [ -n "$(ls -A "$reports")" ]; then
    cat "$reports"/*
    echo "The sanitizers reported the findings above." >&2
    exit 1
fi
[ "$failed" -eq 0 ] || exit "$failed"
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

echo "== Each fuzz target for a few seconds (longer: see tests/fuzz/CMakeLists.txt)"
cmake --preset fuzz
cmake --build --preset fuzz
ctest --preset fuzz
