#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# The About window: "?" shows it over the main window; Escape closes it; "?" again and "Ok" close it too.
set -u
. "$(dirname "$0")/xvfb.sh"

demo=${1:?usage: journey_about.sh DEMO_FOLDER}
start_xvfb
make_program_folder "$demo"
start_orvane

about_window() {
    xdotool search --onlyvisible --name '^About\.\.\.$' | head -n 1
}

about_shown() {
    [ -n "$(about_window)" ]
}

about_gone() {
    [ -z "$(about_window)" ]
}

open_about() {
    click_client 640 24
    wait_until 20 about_shown
}

# "?" lies at 632,16 in the client area, 17 pixels square.
step "click \"?\": the About window shows, centred on the main window"
open_about || fail "the About window did not show"
about=$(about_window)
read -r about_x about_y about_width about_height < <(window_geometry "$about")
centre_x=$((about_x + about_width / 2)) centre_y=$((about_y + about_height / 2))
main_x=$((WINDOW_X + WINDOW_WIDTH / 2)) main_y=$((WINDOW_Y + WINDOW_HEIGHT / 2))
[ $((centre_x - main_x)) -ge -2 ] && [ $((centre_x - main_x)) -le 2 ] &&
    [ $((centre_y - main_y)) -ge -2 ] && [ $((centre_y - main_y)) -le 2 ] ||
    fail "the About window is not centred on the main window"

step "while it is open the main window takes no input: Play starts nothing"
click_client 556 284

step "Escape closes it"
xdotool windowfocus --sync "$about"
xdotool key Escape
wait_until 20 about_gone || fail "Escape did not close the About window"

step "then Play starts the emulator once: the click behind the About window started nothing"
# A start returns only once the program runs, so a run from the earlier click would have begun before this one;
# once this run is logged and no emulator runs any more, every run there was is in the log.
click_client 556 284
wait_until 20 runs_at_least 1 || fail "Play started nothing after the About window closed"
wait_until 20 no_emulator_running || fail "the emulator did not end"
[ "$(runs_logged)" -eq 1 ] || fail "Play ran behind the modal About window: $(runs_logged) runs"

step "click \"?\" again, then \"Ok\": gone again"
open_about || fail "the About window did not show again"
about=$(about_window)
# "Ok" lies at 136,128 in the About window, 57 x 25.
xdotool mousemove --window "$about" 164 140 click 1
wait_until 20 about_gone || fail "Ok did not close the About window"
echo "PASS: journey_about"
