#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# Playing with the emulator Debian ships, through the bridge installed as MESS.EXE in a program folder whose path
# holds a blank: "Update systems" fills the list from the real emulator, the user picks the Atari 2600, and a
# double-click on a cartridge opens the emulator's window running it. Skipped, saying why, where the emulator is
# not installed.
set -u
. "$(dirname "$0")/xvfb.sh"

demo=${1:?usage: journey_real_emulator.sh DEMO_FOLDER BRIDGE}
bridge=${2:?usage: journey_real_emulator.sh DEMO_FOLDER BRIDGE}
emulator=$(command -v mame || { [ -x /usr/games/mame ] && echo /usr/games/mame; })
if [ -z "$emulator" ]; then
    echo "SKIPPED: the emulator (Debian's package mame) is not installed, so this journey cannot run here."
    exit 77
fi

start_xvfb
PROGRAM="$WORK/my program"
mkdir -p "$PROGRAM/ROMS/a2600" "$PROGRAM/INP"
cp "$demo/orvane" "$demo/Orvane.htm" "$PROGRAM/"
cp "$bridge" "$PROGRAM/MESS.EXE"
# The emulator's window ends by itself a few seconds after it opens.
printf 'play-arguments=-video soft -window -sound none -skip_gameinfo -seconds_to_run 4\n' >"$PROGRAM/bridge.ini"
/usr/bin/python3 "$(dirname "$0")/make_cartridge.py" "$PROGRAM/ROMS/a2600/Test Cart.a26"
printf 'Name:     Description:\r\nnone      "No systems yet"\r\n' >"$PROGRAM/Orvane.sys"
start_orvane

step "File > Update systems fills the systems list from $emulator"
open_file_menu
xdotool key Down Return
wait_until 120 grep -q '"Atari 2600 (NTSC)"' "$PROGRAM/Orvane.sys" ||
    fail "the catalogue was not rewritten: $(cat "$PROGRAM/bridge.log" 2>/dev/null)"
# The lists are reloaded before the progress window goes.
wait_until 30 orvane_shows_only_its_window || fail "the progress window stayed"
systems=$(($(wc -l <"$PROGRAM/Orvane.sys") - 1))
echo "$systems systems listed"
[ "$systems" -gt 1000 ] || fail "only $systems systems"

step "pick \"Atari 2600 (NTSC)\" by typing its name, then double-click the cartridge"
click_client 40 30
xdotool windowfocus --sync "$WINDOW"
# Orvane takes its input in the order it came: the typed name has selected the system and its images are listed
# before the double-click arrives.
xdotool type --delay 40 'Atari 2600 (NTSC)'
xdotool mousemove --window "$WINDOW" 260 $((30 + MENU_HEIGHT)) click --repeat 2 --delay 80 1
wait_until 30 grep -q 'playing: ' "$PROGRAM/bridge.log" || fail "the double-click played nothing"
grep 'playing: ' "$PROGRAM/bridge.log" | grep -q -- ' a2600 -cart ' || fail "no play of the cartridge: $(cat "$PROGRAM/bridge.log")"

step "the emulator's window shows the cartridge running (its blue screen), then ends by itself"
shown=$(timeout 60 xdotool search --sync --onlyvisible --name '^Atari 2600 \(NTSC\) \[a2600\]' | head -n 1) ||
    fail "the emulator's window did not show: $(cat "$PROGRAM/bridge.log")"
echo "window: $(xdotool getwindowname "$shown")"
# The cartridge paints the screen blue: the emulator runs it, not just shows a window.
running_blue() {
    local red=0 green=0 blue=0
    read -r red green blue < <(/usr/bin/python3 "$(dirname "$0")/window_colour.py" "$shown")
    [ "$blue" -gt 128 ] && [ "$blue" -gt $((red + 40)) ] && [ "$blue" -gt $((green + 40)) ]
}
wait_until 20 running_blue || fail "the emulator's window does not show the cartridge's blue screen"
wait_until 60 grep -q 'played: a2600 "Test Cart.a26" ended with exit code 0' "$PROGRAM/bridge.log" ||
    fail "the emulator did not end well: $(cat "$PROGRAM/bridge.log")"
cat "$PROGRAM/bridge.log"
echo "PASS: journey_real_emulator"
