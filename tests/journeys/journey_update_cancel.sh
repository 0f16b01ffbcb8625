#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# Cancel ends the emulator too: "Update systems" through the bridge, with an emulator that hangs when asked for its
# listings; the user presses Cancel in the progress window, and no emulator process is left running.
set -u
. "$(dirname "$0")/xvfb.sh"

demo=${1:?usage: journey_update_cancel.sh DEMO_FOLDER BRIDGE}
bridge=${2:?usage: journey_update_cancel.sh DEMO_FOLDER BRIDGE}
start_xvfb
PROGRAM="$WORK/program"
mkdir -p "$PROGRAM"
cp "$demo/orvane" "$demo/Orvane.sys" "$PROGRAM/"
cp "$bridge" "$PROGRAM/MESS.EXE"
# The emulator answers its version, then hangs on each listing, noting the process that hangs.
cat >"$PROGRAM/hung-emulator" <<SCRIPT
#!/bin/sh
[ "\$1" = -version ] && { echo 0.1; exit 0; }
echo \$\$ >>"$WORK/hung.pids"
exec sleep 600
SCRIPT
chmod +x "$PROGRAM/hung-emulator"
printf 'emulator=hung-emulator\n' >"$PROGRAM/bridge.ini"
catalogue=$(cat "$PROGRAM/Orvane.sys")
start_orvane

step "File > Update systems: the emulator hangs, the progress window shows"
open_file_menu
xdotool key Down Return
asked_both() {
    [ "$(wc -l <"$WORK/hung.pids")" -eq 2 ]
}
wait_until 30 asked_both || fail "the emulator was not asked for both listings"
# The progress window comes once the update has not ended within a moment.
progress_shows() {
    progress=$(xdotool search --onlyvisible --name '^Orvane \(alpha 6\)$' | grep -v "^$WINDOW\$" | head -n 1)
    [ -n "$progress" ]
}
wait_until 20 progress_shows || fail "no progress window"

step "Cancel: the bridge and both hung emulators end, the catalogue stays"
xdotool windowfocus --sync "$progress"
xdotool key Escape
wait_until 20 orvane_shows_only_its_window || fail "the progress window stayed"
no_hung_emulator() {
    local pid
    for pid in $(cat "$WORK/hung.pids"); do
        # A process that has ended but is not yet reaped counts as ended.
        [ -e "/proc/$pid" ] && ! grep -q '^[0-9]* ([^)]*) Z' "/proc/$pid/stat" && return 1
    done
    return 0
}
wait_until 10 no_hung_emulator ||
    fail "an emulator is still running after Cancel: $(ps -o pid,stat,args -p "$(paste -sd, "$WORK/hung.pids")")"
no_emulator_running || fail "the bridge is still running after Cancel"
[ "$(cat "$PROGRAM/Orvane.sys")" = "$catalogue" ] || fail "the catalogue changed"
# Neither Orvane's scratch files nor the bridge's outlive the Cancel.
left=$(find "$PROGRAM" -name '*.[0-9]*-[0-9]*')
[ -z "$left" ] || fail "scratch files were left: $left"
echo "PASS: journey_update_cancel"
