#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
#
#   ./dev.sh run    install what is missing, build, and start Orvane on the demo program folder
#   ./dev.sh test   install what is missing, build, and run every test headless: the suite, the same suite
#                   under AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of each fuzz target
set -euo pipefail
cd "$(dirname "$0")"

action=${1:-}
case "$action" in
run | test) ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac

# Debian 12 packages: the compiler and build tools, Qt 6, fonts close to the window's own, and for the tests an
# X server with the tools that drive it.
packages=(build-essential cmake ninja-build qt6-base-dev fonts-dejavu-core fonts-liberation2
    xvfb xdotool x11-utils python3-xlib desktop-file-utils)
# The fuzz targets are built with clang's libFuzzer; the platform layer is also built for Windows.
[ "$action" = test ] && packages+=(clang-14 libclang-rt-14-dev g++-mingw-w64-x86-64)

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

if [ "$action" = run ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build
    exec build/demo/orvane
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
cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DORVANE_PLATFORM_ONLY=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-windows
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_WINDOWS_BUILD_DIR="$(pwd)/build-windows"
cmake --build build
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

echo "== The suite again, under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_SANITIZE=ON
cmake --build build-sanitize
# Every report goes to a file as well, so one from a process nobody waits for (the emulator) is not missed.
reports=$(pwd)/build-sanitize/sanitizer-reports
rm -rf "$reports" && mkdir -p "$reports"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:log_path=$reports/asan"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$reports/ubsan"
export LSAN_OPTIONS="suppressions=$(pwd)/tests/sanitizers/lsan.supp:print_suppressions=0"
# The reports are shown when a test fails too: they often say why.
failed=0
ctest --test-dir build-sanitize --output-on-failure --parallel "$(nproc)" || failed=$?
if [ -n "$(ls -A "$reports")" ]; then
    cat "$reports"/*
    echo "The sanitizers reported the findings above." >&2
    exit 1
fi
[ "$failed" -eq 0 ] || exit "$failed"
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

echo "== Each fuzz target for a few seconds (longer: see tests/fuzz/CMakeLists.txt)"
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_FUZZ_ONLY=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined"
cmake --build build-fuzz
ctest --test-dir build-fuzz --output-on-failure
