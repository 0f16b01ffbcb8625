#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# A Windows user's journey, under Wine in a real X server: the demo zip unpacked into a folder whose path holds a
# blank and an "é", Orvane.exe started there with the Windows stand-in as MESS.EXE. The window comes up with its
# title and fixed size; a double-click plays; File > Update systems runs COMMAND.COM through Orvane's own command
# processor and the lists reload; a right press and OK add a favourite (CR LF); an option lands in the registry;
# the About window's "Doc" reaches the shell's document opener.
#   journey_windows.sh ZIP_FOLDER
set -u
zips=${1:?usage: journey_windows.sh ZIP_FOLDER}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../journeys/xvfb.sh"
. "$here/wine.sh"
cleanup_more() { stop_wine; }
start_wine || exit $?
start_xvfb

demo_zip=$(ls "$zips"/Orvane-*-windows-demo.zip 2>/dev/null | head -n 1)
[ -f "$demo_zip" ] || fail "no demo zip in $zips"
step "unpack $(basename "$demo_zip") into a folder named with a blank and an é"
folder="$WORK/Jeux café"
mkdir -p "$folder"
(cd "$folder" && cmake -E tar xf "$demo_zip") || fail "cannot unpack $demo_zip"
PROGRAM="$folder/Orvane"
[ -f "$PROGRAM/Orvane.exe" ] || fail "no Orvane.exe in the zip"

# The stand-in logs what it receives; the log's name is plain, so the stand-in's narrow file calls reach it.
export ORVANE_STANDIN_LOG="$(windows_path "$WORK/standin.log")"
ORVANE_STANDIN_LOG_FILE="$WORK/standin.log"

# The shell's "Open" on a help page runs the stand-in, which logs the page it was handed: the About window's
# "Doc" is seen to reach the shell without a browser.
"$WINE" reg add 'HKCU\Software\Classes\.htm' /ve /d OrvaneJourneyPage /f >/dev/null 2>&1
"$WINE" reg add 'HKCU\Software\Classes\OrvaneJourneyPage\shell\open\command' /ve \
    /d "\"$(windows_path "$PROGRAM/MESS.EXE")\" \"%1\"" /f >/dev/null 2>&1

step "start Orvane.exe: the window shows with its title"
(cd "$PROGRAM" && exec "$WINE" Orvane.exe) >"$WORK/orvane.log" 2>&1 &
ORVANE_PID=$!
WINDOW=$(timeout 120 xdotool search --sync --onlyvisible --name '^Orvane \(alpha 6\)$' | head -n 1) ||
    fail "the main window did not show: $(cat "$WORK/orvane.log")"
read -r WINDOW_X WINDOW_Y WINDOW_WIDTH WINDOW_HEIGHT < <(window_geometry "$WINDOW")
echo "window $WINDOW at $WINDOW_X,$WINDOW_Y, $WINDOW_WIDTH x $WINDOW_HEIGHT"
