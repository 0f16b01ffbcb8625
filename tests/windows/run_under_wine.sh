#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# Runs the Windows build's Qt Tests under Wine, headless, then the journey through the Windows demo zip. Where
# Wine is missing or cannot start, it says so and the test is skipped (exit 77).
#   run_under_wine.sh WINDOWS_BUILD QT_FOR_WINDOWS ZIP_FOLDER
set -u
build=${1:?usage: run_under_wine.sh WINDOWS_BUILD QT_FOR_WINDOWS ZIP_FOLDER}
qt=${2:?}
zips=${3:?}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../journeys/xvfb.sh"
. "$here/wine.sh"
cleanup_more() { stop_wine; }
start_wine || exit $?

# Each test finds Qt's DLLs and plugins and the compiler's runtime where the build left them.
runtime=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-posix | head -n 1)
export WINEPATH="$(windows_path "$qt/bin");$(windows_path "$runtime");$(windows_path /usr/x86_64-w64-mingw32/lib)"
export QT_PLUGIN_PATH="$(windows_path "$qt/plugins")"
# Qt's offscreen platform builds for Windows but never reports a window shown there: the tests use the Windows
# platform, in a private X server.
start_xvfb
export QT_QPA_PLATFORM=windows ORVANE_UNDER_WINE=1
failed=0
# Every test tests/windows/CMakeLists.txt builds.
for test in "$build"/tests/windows/test_*.exe; do
    name=$(basename "$test" .exe)
    # Qt Test's report goes to a file: under Wine its standard output is lost.
    report="$WORK/$name.txt"
    (cd "$build/tests/windows" && timeout 300 "$WINE" "./$name.exe" -o "$(windows_path "$report"),txt" >/dev/null 2>&1)
    result=$?
    grep -E '^(FAIL|XFAIL|XPASS|QFATAL)|^   |^Totals' "$report" 2>/dev/null
    echo "== $name.exe under Wine: exit $result"
    [ "$result" -eq 0 ] || failed=1
done
unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM ORVANE_UNDER_WINE
[ "$failed" -eq 0 ] || exit 1

echo "== the journey through the Windows demo zip, in a Wine prefix of its own, as a new user's"
stop_wine
env -u WINEPREFIX "$here/journey_windows.sh" "$zips" "$build/tests/windows/fake_emulator.exe"
