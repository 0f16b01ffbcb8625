#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# The user's main journey: the window comes up centred and fixed with the demo's systems; hovering a system tells
# its folder; clicking a system shows its images; a double-click or "Play" starts the emulator from the program
# folder on that image; "File" > "Update systems" rebuilds the list from what the emulator says.
set -u
. "$(dirname "$0")/xvfb.sh"

demo=${1:?usage: journey_play.sh DEMO_FOLDER}
start_xvfb
make_program_folder "$demo"
start_orvane

step "the window is centred on the screen"
read -r screen_width screen_height < <(xdotool getdisplaygeometry)
expected_x=$(((screen_width - WINDOW_WIDTH) / 2))
expected_y=$(((screen_height - WINDOW_HEIGHT) / 2))
[ $((WINDOW_X - expected_x)) -ge -1 ] && [ $((WINDOW_X - expected_x)) -le 1 ] ||
    fail "window at x=$WINDOW_X, expected $expected_x"
[ $((WINDOW_Y - expected_y)) -ge -1 ] && [ $((WINDOW_Y - expected_y)) -le 1 ] ||
    fail "window at y=$WINDOW_Y, expected $expected_y"
[ "$WINDOW_WIDTH" -eq 658 ] || fail "window is $WINDOW_WIDTH pixels wide, expected 658"

step "the window cannot be resized: its minimum and maximum sizes are its size"
hints=$(xprop -id "$WINDOW" WM_NORMAL_HINTS)
echo "$hints" | grep -q "minimum size: $WINDOW_WIDTH by $WINDOW_HEIGHT" || fail "no fixed minimum size: $hints"
echo "$hints" | grep -q "maximum size: $WINDOW_WIDTH by $WINDOW_HEIGHT" || fail "no fixed maximum size: $hints"

step "hovering a system tells its whole description and the folder its images go in"
# Tips show over the active window, as on a desktop.
xdotool windowfocus --sync "$WINDOW"
xdotool mousemove --window "$WINDOW" 40 $((30 + MENU_HEIGHT))
tip=$(/usr/bin/python3 "$(dirname "$0")/tool_tip_text.py") || fail "no tool tip showed over the system"
echo "the tip reads: $tip"
# Read from the screen's pixels; blanks are left out, as a reader of small text may miss or add one.
[[ "${tip//[[:space:]]/}" == *KestrelArcadeBoardROMS/kestrel* ]] || fail "the tip does not show the system and its folder"
xdotool mousemove --window "$WINDOW" 600 $((300 + MENU_HEIGHT))

step "hovering an image tells its title, as the emulator's lists give it"
xdotool mousemove --window "$WINDOW" 300 $((30 + MENU_HEIGHT))
/usr/bin/python3 "$(dirname "$0")/tool_tip_text.py" >/dev/null || fail "no tool tip showed over the image"
# The first tip may show before the emulator answered; resting on the line again shows what it said.
xdotool mousemove --window "$WINDOW" 600 $((300 + MENU_HEIGHT))
sleep 0.5
xdotool mousemove --window "$WINDOW" 300 $((30 + MENU_HEIGHT))
tip=$(/usr/bin/python3 "$(dirname "$0")/tool_tip_text.py") || fail "no tool tip showed over the image"
echo "the tip reads: $tip"
# The year is left out: small digits are the likeliest to be misread.
[[ "${tip//[[:space:]]/}" == *CoffeeChaos\(World\)*KestrelAmusements* ]] || fail "the tip does not show the title"
xdotool mousemove --window "$WINDOW" 600 $((300 + MENU_HEIGHT))

# In the client area: EmulatedSystemList at 16,24; GamesList at 240,24; Play at 472,272 (169 x 25).
step "click the second system, then double-click its first image"
click_client 40 30
xdotool windowfocus --sync "$WINDOW"
# Orvane takes its input in the order it came, so the image list has changed before the clicks below arrive.
xdotool key Down
click_client 260 30
xdotool mousemove --window "$WINDOW" 260 $((30 + MENU_HEIGHT)) click --repeat 2 --delay 80 1
wait_until 20 runs_at_least 1 || fail "the double-click started nothing: $(cat "$WORK/orvane.log")"
run=$(logged_run 1)
echo "$run"
expected_run="run
cwd=$PROGRAM
exe=$PROGRAM/MESS.EXE
arg=lumen
arg=Asteroid Miner.bin
end"
[ "$run" = "$expected_run" ] || fail "expected the run: $expected_run"

step "Play starts the same image again"
click_client 556 284
wait_until 20 runs_at_least 2 || fail "Play started nothing"
[ "$(logged_run 2)" = "$expected_run" ] || fail "Play ran: $(logged_run 2)"

step "File > Update systems rebuilds the list from the emulator"
add_system_for_update
open_file_menu
xdotool key Down Return
wait_until 20 grep -qx 'arg=-listfull' "$ORVANE_STANDIN_LOG" || fail "Update systems did not run the emulator"
# The new catalogue replaces the old one once the emulator has ended and its output was checked.
wait_until 20 grep -q 'aardvark' "$PROGRAM/Orvane.sys" || fail "the catalogue was not rewritten"
# The lists are reloaded before the progress window goes: once Orvane shows its window alone, clicks reach the
# new lists. The new system sorts first and is selected, so its image is the first line of the image list.
wait_until 20 orvane_shows_only_its_window || fail "the progress window stayed"
click_client 260 30
click_client 556 284
expect_run 4 aardvark first.bin
echo "PASS: journey_play"
