#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# The user's first journey: the window comes up centred and fixed; a click on an image line and "Play", then a
# double-click, start the emulator from the program folder.
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

# GamesList lies at 240,24 in the client area; Play at 472,272 with a size of 169 x 25.
step "a click on the first image line, Down to \"games\", then Play"
click_client 260 30
xdotool windowfocus --sync "$WINDOW"
xdotool key --window "$WINDOW" Down
click_client 556 284
wait_until 20 test "$(runs_logged)" -ge 1 || fail "Play started nothing: $(cat "$WORK/orvane.log")"
run=$(logged_run 1)
echo "$run"
echo "$run" | grep -qx "cwd=$PROGRAM" || fail "the emulator did not start in the program folder"
echo "$run" | grep -qx "exe=$PROGRAM/MESS.EXE" || fail "the emulator started was not the program folder's MESS.EXE"
! echo "$run" | grep -q '^arg=' || fail "a design-time line has no launch field, yet arguments were passed"

step "a double-click on a line plays as well"
xdotool mousemove --window "$WINDOW" --sync 260 $((30 + MENU_HEIGHT)) click --repeat 2 --delay 80 1
wait_until 20 test "$(runs_logged)" -ge 2 || fail "the double-click started nothing"
run=$(logged_run 2)
echo "$run" | grep -qx "cwd=$PROGRAM" || fail "the second run did not start in the program folder"
! echo "$run" | grep -q '^arg=' || fail "the second run got arguments"
sleep 0.5
[ "$(runs_logged)" -eq 2 ] || fail "expected exactly two runs, the log holds $(runs_logged)"
echo "PASS: journey_play"
