#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# Takes the README's screenshots from the real program under Xvfb, so they show what the program shows:
#   doc/take-screenshots.sh [BUILD_FOLDER]     (after ./dev.sh run or ./dev.sh test has built it)
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
if ! command -v import >/dev/null || ! dpkg-query -W imagemagick >/dev/null 2>&1; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y imagemagick
fi
. "$here/../tests/journeys/xvfb.sh"

start_xvfb
make_program_folder "$build/demo"
start_orvane

# The second system, and its first image selected.
click_client 40 30
xdotool windowfocus --sync "$WINDOW"
xdotool key --window "$WINDOW" Down
click_client 260 30
sleep 0.5
/usr/bin/import -window "$WINDOW" "$here/main-window.png" || fail "cannot take the main window"

click_client 640 24
about=$(timeout 20 xdotool search --sync --onlyvisible --name '^About\.\.\.$' | head -n 1) || fail "no About window"
sleep 0.5
/usr/bin/import -window "$about" "$here/about-window.png" || fail "cannot take the About window"
echo "Wrote $here/main-window.png and $here/about-window.png"
