#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# Playing with the emulator Debian ships, through the bridge installed as MESS.EXE in a program folder whose path
# holds a blank and a ';': "Update systems" fills the list from the real emulator, the user picks the Atari 2600,
# and a double-click on a cartridge opens the emulator's window running it; the same cartridge zipped behind a
# read-me, in a folder with an accented name, plays too (the PAL console). Then the Atari 5200, which needs a
# system ROM: found where Debian's ini names it ($HOME/mame/roms), it plays; missing, a message window names the
# file and where it belongs; with the emulator gone, the message window is titled with the system's name. Last, a
# playing bridge sent SIGTERM ends with the emulator, wrapped or not. Skipped, saying why, where the emulator is
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
PROGRAM="$WORK/my; program"
mkdir -p "$PROGRAM/ROMS/a2600" "$PROGRAM/ROMS/a2600p" "$PROGRAM/ROMS/a5200" "$PROGRAM/INP"
# A home of the test's own whose ini names the ROM folder as Debian's does; the system ROM is a stand-in of the
# right name and size (the emulator warns about its checksum and runs it), never a real one.
export HOME="$WORK/home"
mkdir -p "$HOME/.mame" "$HOME/mame/roms/a5200"
printf 'rompath $HOME/mame/roms\n' >"$HOME/.mame/mame.ini"
head -c 2048 /dev/zero >"$HOME/mame/roms/a5200/co19156.u8"
head -c 8192 /dev/zero >"$PROGRAM/ROMS/a5200/Game.a52"
cp "$demo/orvane" "$demo/Orvane.htm" "$PROGRAM/"
cp "$bridge" "$PROGRAM/MESS.EXE"
# The emulator's window ends by itself a few seconds after it opens.
printf 'play-arguments=-video soft -window -sound none -skip_gameinfo -seconds_to_run 4\n' >"$PROGRAM/bridge.ini"
/usr/bin/python3 "$(dirname "$0")/make_cartridge.py" "$PROGRAM/ROMS/a2600/Test Cart.a26"
# The emulator loads an archive's first file unless told which: here that is a read-me, and the cartridge is in a
# folder with an accented name, flagged as UTF-8 by the zip tool.
/usr/bin/python3 - "$PROGRAM/ROMS/a2600/Test Cart.a26" "$PROGRAM/ROMS/a2600p/Zipped Cart.zip" <<'PYTHON'
import sys, zipfile
with zipfile.ZipFile(sys.argv[2], "w") as archive:
    archive.writestr("read me.txt", "A cartridge of the test's own.\n")
    archive.write(sys.argv[1], "Jeux Caf\u00e9/Test Cart.a26")
PYTHON
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

# Picks a system by typing its description, then double-clicks the first image.
play_first_image_of() {
    click_client 40 30
    xdotool windowfocus --sync "$WINDOW"
    xdotool type --delay 40 "$1"
    xdotool mousemove --window "$WINDOW" 260 $((30 + MENU_HEIGHT)) click --repeat 2 --delay 80 1
}

step "a zipped cartridge plays: the archive's entry, by its whole path, decides the media and is what the emulator loads"
play_first_image_of 'Atari 2600 (PAL)'
wait_until 60 grep -q 'played: a2600p "Zipped Cart.zip" ended with exit code 0' "$PROGRAM/bridge.log" ||
    fail "the zipped cartridge did not play: $(cat "$PROGRAM/bridge.log")"
grep -q "Zipped Cart.zip: cartridge (the archive's entry \"Jeux Café/Test Cart.a26\" decides)" "$PROGRAM/bridge.log" ||
    fail "the media was not chosen by the archive's entry: $(cat "$PROGRAM/bridge.log")"

step "the Atari 5200 plays with its system ROM from \$HOME/mame/roms"
play_first_image_of 'Atari 5200'
wait_until 60 grep -q 'played: a5200 "Game.a52" ended with exit code 0' "$PROGRAM/bridge.log" ||
    fail "the Atari 5200 did not play: $(cat "$PROGRAM/bridge.log")"

step "without its system ROM, a message window titled with the system names the missing file"
rm "$HOME/mame/roms/a5200/co19156.u8"
play_first_image_of 'Atari 5200'
message=$(timeout 60 xdotool search --sync --onlyvisible --name '^Atari 5200$' | head -n 1) ||
    fail "no message window: $(cat "$PROGRAM/bridge.log")"
grep -q 'Missing files, and where each belongs:' "$PROGRAM/bridge.log" &&
    grep -qF "  co19156.u8: $HOME/mame/roms/a5200/co19156.u8 (or inside $HOME/mame/roms/a5200.zip)" "$PROGRAM/bridge.log" ||
    fail "the message does not say where the missing file belongs: $(cat "$PROGRAM/bridge.log")"
pgrep -af -- '--message Atari 5200' | grep -q 'co19156.u8' || fail "the window does not show the missing file"
xdotool windowfocus --sync "$message"
xdotool key Return
wait_until 20 window_gone "$message" || fail "the message window did not close"

step "with the emulator gone, a play fails before the bridge knows the system: its window is titled with the system's name"
cp "$PROGRAM/bridge.ini" "$WORK/bridge.ini"
printf 'emulator=/nowhere/mame\n' >>"$PROGRAM/bridge.ini"
play_first_image_of 'Atari 5200'
message=$(timeout 60 xdotool search --sync --onlyvisible --name '^a5200$' | head -n 1) ||
    fail "no message window titled a5200: $(cat "$PROGRAM/bridge.log")"
pgrep -af -- '--message a5200' | grep -q 'no emulator "/nowhere/mame"' || fail "the window does not say the emulator is gone"
xdotool windowfocus --sync "$message"
xdotool key Return
wait_until 20 window_gone "$message" || fail "the message window did not close"
mv "$WORK/bridge.ini" "$PROGRAM/bridge.ini"
# Asked to end (as at logout), the bridge asks the emulator the same way and waits a few seconds for it to end on
# its own terms, then ends it and everything it started: no emulator outlives it, started directly or through a
# wrapper script that does not hand its process over.
printf '#!/bin/sh\n"%s" "$@"\n' "$emulator" >"$PROGRAM/wrapper.sh"
chmod +x "$PROGRAM/wrapper.sh"
for through in "$emulator" "$PROGRAM/wrapper.sh"; do
    step "a playing bridge sent SIGTERM ends, and the emulator with it (through $through)"
    printf 'emulator=%s\nplay-arguments=-video soft -window -sound none -skip_gameinfo\n' "$through" >"$PROGRAM/bridge.ini"
    rm -rf "$HOME/.mame/cfg" "$PROGRAM/cfg"
    (cd "$PROGRAM" && exec setsid ./MESS.EXE a2600 "Test Cart.a26") &
    bridge_process=$!
    shown=$(timeout 60 xdotool search --sync --onlyvisible --name '^Atari 2600 \(NTSC\) \[a2600\]' | head -n 1) ||
        fail "the emulator's window did not show: $(cat "$PROGRAM/bridge.log")"
    kill -TERM "$bridge_process"
    wait_until 20 sh -c "! kill -0 $bridge_process 2>/dev/null" || fail "the bridge did not end"
    wait "$bridge_process"
    code=$?
    [ "$code" -eq 143 ] || fail "the bridge ended with $code, not 128 + SIGTERM"
    wait_until 10 window_gone "$shown" || fail "the emulator's window stayed"
    ! pgrep -f -- "-cart $PROGRAM/ROMS" >/dev/null || fail "an emulator outlived the bridge: $(pgrep -af mame)"
    grep -q 'asked to end (signal 15): a2600 "Test Cart.a26"' "$PROGRAM/bridge.log" ||
        fail "the log does not say the play was asked to end: $(cat "$PROGRAM/bridge.log")"
    ls "$HOME/.mame/cfg/" "$PROGRAM/cfg/" 2>/dev/null | grep -q 'a2600.cfg' &&
        echo "the emulator ended on its own terms: its settings are written" ||
        echo "the emulator did not end within the grace and was killed: its settings are not written"
    grep 'asked to end (signal 15)' "$PROGRAM/bridge.log" | tail -n 1
done
cat "$PROGRAM/bridge.log"
echo "PASS: journey_real_emulator"
