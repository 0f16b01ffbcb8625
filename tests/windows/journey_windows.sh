#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# A Windows user's journey, under Wine in a real X server: the demo zip unpacked into a folder whose path holds a
# blank and an "é", Orvane.exe started there with the Windows stand-in as MESS.EXE. The window comes up with its
# title and fixed size; a double-click plays; File > Update systems runs COMMAND.COM through Orvane's own command
# processor and the lists reload; a right press and OK add a favourite (CR LF); an option lands in the registry;
# the About window's "Doc" reaches the shell's document opener. Last, the zip's orvane-bridge.exe plays a zipped
# cartridge in a folder with an accented name through a stand-in emulator that logs what it is handed.
#   journey_windows.sh ZIP_FOLDER FAKE_EMULATOR
set -u
zips=$(cd "${1:?usage: journey_windows.sh ZIP_FOLDER FAKE_EMULATOR}" && pwd)
fake_emulator=${2:?usage: journey_windows.sh ZIP_FOLDER FAKE_EMULATOR}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../journeys/xvfb.sh"
. "$here/wine.sh"
cleanup_more() { stop_wine; }
start_wine || exit $?
start_xvfb
UNDER_WINE=1

demo_zip=$(ls "$zips"/Orvane-*-windows-demo.zip 2>/dev/null | head -n 1)
[ -f "$demo_zip" ] || fail "no demo zip in $zips"
step "unpack $(basename "$demo_zip") into a folder named with a blank and an é"
folder="$WORK/Jeux café"
mkdir -p "$folder"
(cd "$folder" && cmake -E tar xf "$demo_zip") || fail "cannot unpack $demo_zip"
PROGRAM="$folder/Orvane"
[ -f "$PROGRAM/Orvane.exe" ] || fail "no Orvane.exe in the zip"
# The bridge comes under a name of its own: unpacking never replaces a user's MESS.EXE with it.
[ -f "$PROGRAM/orvane-bridge.exe" ] || fail "no orvane-bridge.exe in the zip"
cmp -s "$PROGRAM/orvane-bridge.exe" "$PROGRAM/MESS.EXE" && fail "the zip's MESS.EXE is the bridge"

# The stand-in logs what it receives, to a file whose Windows name Orvane (and so the stand-in) inherits.
standin_log="$WORK/standin.log"
export ORVANE_STANDIN_LOG="$(windows_path "$standin_log")"

# The shell's "Open" on a help page runs the stand-in, which logs the page it was handed: the About window's
# "Doc" is seen to reach the shell without a browser.
"$WINE" reg add 'HKCR\.htm' /ve /d OrvaneJourneyPage /f >/dev/null 2>&1
"$WINE" reg add 'HKCR\OrvaneJourneyPage\shell\open\command' /ve \
    /d "\"$(windows_path "$PROGRAM/MESS.EXE")\" \"%1\"" /f >/dev/null 2>&1

step "start Orvane.exe: the window shows with its title"
(cd "$PROGRAM" && exec "$WINE" Orvane.exe) >"$WORK/orvane.log" 2>&1 &
ORVANE_PID=$!
WINDOW=$(timeout 120 xdotool search --sync --onlyvisible --name '^Orvane \(alpha 6\)$' | head -n 1)
[ -n "$WINDOW" ] || fail "the main window did not show: $(cat "$WORK/orvane.log")"
read -r WINDOW_X WINDOW_Y WINDOW_WIDTH WINDOW_HEIGHT < <(window_geometry "$WINDOW")
echo "window $WINDOW at $WINDOW_X,$WINDOW_Y, $WINDOW_WIDTH x $WINDOW_HEIGHT"
ORVANE_WINDOW_PID=$(xdotool getwindowpid "$WINDOW")
# From here on the journey's helpers read the log by its name here.
ORVANE_STANDIN_LOG=$standin_log
# The client area is 658 x 313 pixels; what is above it is the menu bar.
[ "$WINDOW_WIDTH" -eq 658 ] || fail "the window is $WINDOW_WIDTH pixels wide, expected 658"
MENU_HEIGHT=$((WINDOW_HEIGHT - 313))
[ "$MENU_HEIGHT" -ge 15 ] && [ "$MENU_HEIGHT" -le 40 ] || fail "the window is $WINDOW_HEIGHT pixels high"
hints=$(xprop -id "$WINDOW" WM_NORMAL_HINTS)
echo "$hints" | grep -q "maximum size: $WINDOW_WIDTH by $WINDOW_HEIGHT" || fail "the window can be resized: $hints"

step "double-click the first system's first image: MESS gets the system and the file name"
click_client 40 30
xdotool mousemove --window "$WINDOW" 260 $((30 + MENU_HEIGHT)) click --repeat 2 --delay 80 1
expect_run 1 kestrel "Café Chaos.zip"
logged_run 1
[ "$(logged_run 1 | grep -c '^arg=')" -eq 2 ] || fail "MESS got more than the system and the file name"

# Under Wine a press that comes within the double-click time of the clicks before it, elsewhere, can be lost:
# such a press first waits that time out (the registry's DoubleClickSpeed, in milliseconds).
double_click_ms=$("$WINE" reg query 'HKCU\Control Panel\Mouse' /v DoubleClickSpeed 2>/dev/null |
    sed -n 's/.*REG_SZ *\([0-9]*\).*/\1/p')
wait_out_double_click() {
    sleep "$(((${double_click_ms:-500} + 100) / 1000)).$(((${double_click_ms:-500} + 100) % 1000 / 100))"
}
wait_out_double_click

step "File > Update systems runs COMMAND.COM /C <short path> -listfull > Orvane.sys; the lists reload"
add_system_for_update
open_file_menu
xdotool key Down Return
wait_until 60 grep -q 'aardvark' "$PROGRAM/Orvane.sys" || fail "the catalogue was not rewritten"
logged_run 2 | grep -qx 'arg=-listfull' || fail "the update did not run MESS -listfull: $(logged_run 2)"
wait_until 30 orvane_shows_only_its_window || {
    for shown in $(xdotool search --onlyvisible --pid "$ORVANE_WINDOW_PID"); do
        echo "  shown: $(xdotool getwindowname "$shown") $(timeout 10 xwininfo -id "$shown" | grep geometry)" >&2
    done
    fail "the progress window stayed"
}
click_client 40 30
click_client 260 30
click_client 556 284
expect_run 3 aardvark first.bin

step "a right press on the image and OK add it to Orvane.fav, ending with CR LF"
wait_out_double_click
click_client 260 30 3
answer_message Return
answer_message Return
printf -v padding '%54s' ''
expected_line="first.bin${padding}aardvark \"first.bin\""$'\r'
[ "$(cat "$PROGRAM/Orvane.fav")" = "$expected_line" ] || fail "Orvane.fav holds: $(cat -A "$PROGRAM/Orvane.fav")"

step "ticking \"Additional parameters:\" lands in the registry"
wait_out_double_click
click_client 480 88
options='HKCU\Software\Orvane\Orvane\Options'
registry_holds_tick() {
    "$WINE" reg query "$options" /v AdditionalParamCheck 2>/dev/null | grep -q 'AdditionalParamCheck.*1'
}
wait_until 30 registry_holds_tick || fail "no AdditionalParamCheck=1 in $options: $("$WINE" reg query "$options" 2>&1)"
"$WINE" reg query "$options" /v AdditionalParamCheck | tr -d '\r' | grep AdditionalParamCheck

step "About > \"Doc\" hands Orvane.htm to the shell"
wait_out_double_click
click_client 640 24
about=$(timeout 30 xdotool search --sync --onlyvisible --name '^About\.\.\.$' | head -n 1)
[ -n "$about" ] || fail "no About window"
xdotool mousemove --window "$about" 36 140 click 1
# The stand-in's log doubles each backslash.
help_page=$(windows_path "$PROGRAM/Orvane.htm")
expect_run 4 "${help_page//\\/\\\\}"
logged_run 4 | grep '^arg='

step "the zip's orvane-bridge.exe reads an archive: the cartridge in a folder with an accented name is what it hands on"
# The stand-in emulator sits beside the bridge, where the zip's runtime libraries are, and answers from files there.
cp "$fake_emulator" "$PROGRAM/fake_emulator.exe"
printf '%s\n' 'SYSTEM           MEDIA NAME       (brief)    IMAGE FILE EXTENSIONS SUPPORTED' \
    '---------------- --------------------------- -------------------------------' \
    'a2600            cartridge        (cart)     .bin  .a26  ' >"$PROGRAM/fake-listmedia.txt"
printf 'emulator=%s\n' "$(windows_path "$PROGRAM/fake_emulator.exe")" >"$PROGRAM/bridge.ini"
mkdir -p "$PROGRAM/ROMS/a2600"
/usr/bin/python3 - "$PROGRAM/ROMS/a2600/Zipped Cart.zip" <<'PYTHON'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w") as archive:
    archive.writestr("read me.txt", "Not the game.\n")
    archive.writestr("Jeux Caf\u00e9/Test Cart.a26", b"\xea" * 4096)
PYTHON
(cd "$PROGRAM" && ORVANE_BRIDGE_NO_WINDOW=1 timeout 120 "$WINE" orvane-bridge.exe a2600 "Zipped Cart.zip") \
    >"$WORK/bridge.txt" 2>&1 || fail "the bridge did not play: $(cat "$WORK/bridge.txt" "$PROGRAM/bridge.log" 2>/dev/null)"
cat "$PROGRAM/fake-play.log"
grep -qx -- '-cart' "$PROGRAM/fake-play.log" && grep -q 'Zipped Cart.zip/Jeux Café/Test Cart.a26$' "$PROGRAM/fake-play.log" ||
    fail "the emulator was not handed the archive's entry: $(cat "$PROGRAM/fake-play.log" "$PROGRAM/bridge.log")"
echo "PASS: journey_windows"
