#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# Orvane remembers: a right-click adds the selected image to the favourites file; an option set in one run is
# there in the next, as is "Only systems with images", and closing the window writes nothing.
set -u
. "$(dirname "$0")/xvfb.sh"

demo=${1:?usage: journey_remember.sh DEMO_FOLDER}
start_xvfb
make_program_folder "$demo"
start_orvane
settings="$XDG_CONFIG_HOME/Orvane/Orvane.conf"

# In the client area: GamesList at 240,24; "Additional parameters:" at 472,80; its text box at 472,96.
step "right-click the selected image line and confirm: the line is in Orvane.fav"
click_client 260 30
click_client 260 30 3
answer_message Return
answer_message Return
# The name is padded to 63 characters (not bytes: "é" is two).
printf -v padding '%49s' ''
expected_line="Café Chaos.zip${padding}kestrel \"Café Chaos.zip\""$'\r'
[ -f "$PROGRAM/Orvane.fav" ] || fail "no favourites file"
[ "$(cat "$PROGRAM/Orvane.fav")" = "$expected_line" ] || fail "Orvane.fav holds: $(cat -A "$PROGRAM/Orvane.fav")"
grep -qx 'LastFull=0' "$settings" || fail "the pressed position was not stored"

step "tick \"Additional parameters:\" and type a text"
click_client 480 88
click_client 550 105
xdotool windowfocus --sync "$WINDOW"
xdotool key --window "$WINDOW" ctrl+a
xdotool type --window "$WINDOW" --delay 20 -- "-nosound fast"
wait_until 10 grep -qx 'AdditionalParamText=-nosound fast' "$settings" || fail "the text was not stored: $(cat "$settings")"
grep -qx 'AdditionalParamCheck=1' "$settings" || fail "the tick was not stored"

# The demo's systems in list order: Kestrel, Lumen, Orbit, Pixa, Quill, Tundra, Zephyr; Quill and Tundra have no
# images. Shorter by those two, the list holds Zephyr fifth.
only_systems_with_images_shown() {
    click_client 40 30
    xdotool windowfocus --sync "$WINDOW"
    xdotool key Down Down Down Down
    click_client 260 30
    click_client 556 284
    expect_run "$1" zephyr Snake.zph
}

step "File > Only systems with images: the list holds only the systems that have images"
open_file_menu
xdotool key Down Down Return
wait_until 10 grep -qx 'OnlyWithImages=True' "$settings" || fail "the choice was not stored: $(cat "$settings")"
only_systems_with_images_shown 1

step "close Orvane: nothing is written"
cp "$settings" "$WORK/settings-before-close"
close_orvane
cmp -s "$settings" "$WORK/settings-before-close" || fail "closing the window changed the settings"

step "start again: the box is ticked, enabled and holds the text"
start_orvane
cmp -s "$settings" "$WORK/settings-before-close" || fail "the start-up changed the settings"
click_client 550 105
xdotool windowfocus --sync "$WINDOW"
xdotool key --window "$WINDOW" End
xdotool type --window "$WINDOW" -- "!"
# Only an enabled box holding the text takes the keystroke and stores the longer text.
wait_until 10 grep -qx 'AdditionalParamText=-nosound fast!' "$settings" || fail "the text box did not hold the text"
click_client 480 88
wait_until 10 grep -qx 'AdditionalParamCheck=0' "$settings" || fail "the box was not ticked after the restart"

step "the first system's full image list shows"
click_client 260 30
click_client 556 284
expect_run 2 kestrel "Café Chaos.zip"

step "still only the systems with images"
only_systems_with_images_shown 3
echo "PASS: journey_remember"
