# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# Shared by the journeys: a private X server, a copy of the demo program folder, and small waiting helpers.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

step() {
    echo "-- $*"
}

# Runs a command until it succeeds, for at most $1 seconds; for waiting on things, never for timing them.
wait_until() {
    # A deadline rather than a count of tries: a check that is slow itself must not stretch the wait.
    local deadline=$((SECONDS + $1))
    shift
    until "$@" 2>/dev/null; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# Starts Xvfb on a free display (-displayfd picks it) and exports DISPLAY. -noreset keeps the server from
# resetting whenever its last client leaves.
start_xvfb() {
    command -v Xvfb >/dev/null || fail "Xvfb is not installed"
    command -v xdotool >/dev/null || fail "xdotool is not installed"
    local display_file="$WORK/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$display_file" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    wait_until 20 test -s "$display_file" || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
    local number
    number=$(tr -d '[:space:]' <"$display_file")
    wait_until 20 test -S "/tmp/.X11-unix/X$number" || fail "no socket for display :$number"
    export DISPLAY=":$number"
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY
}

# A program folder of the test's own, copied from the built demo folder, so the journey changes nothing there.
make_program_folder() {
    local demo=$1
    PROGRAM="$WORK/program"
    mkdir -p "$PROGRAM"
    cp -r "$demo/orvane" "$demo/MESS.EXE" "$demo/Orvane.sys" "$demo/listfull.txt" "$demo/identify.txt" \
        "$demo/Orvane.htm" "$demo/ROMS" "$demo/INP" "$PROGRAM/"
}

# Starts orvane from a folder other than its own, with the stand-in logging what it receives.
start_orvane() {
    export ORVANE_STANDIN_LOG="$WORK/standin.log"
    export XDG_CONFIG_HOME="$WORK/config"
    mkdir -p "$WORK/elsewhere" "$XDG_CONFIG_HOME"
    (cd "$WORK/elsewhere" && exec "$PROGRAM/orvane") >"$WORK/orvane.log" 2>&1 &
    ORVANE_PID=$!
    WINDOW=$(timeout 30 xdotool search --sync --onlyvisible --name '^Orvane \(alpha 6\)$' | head -n 1) ||
        fail "the main window did not show: $(cat "$WORK/orvane.log")"
    [ -n "$WINDOW" ] || fail "the main window did not show"
    # Qt must run its event loop on the thread that started the program, not on one of the threads that read
    # the lists while the window is built.
    ! grep -q 'not created in the main() thread' "$WORK/orvane.log" ||
        fail "Qt took another thread for the main thread: $(cat "$WORK/orvane.log")"
    read -r WINDOW_X WINDOW_Y WINDOW_WIDTH WINDOW_HEIGHT < <(window_geometry "$WINDOW")
    # The client area is 313 pixels high; what is above it is the menu bar.
    MENU_HEIGHT=$((WINDOW_HEIGHT - 313))
}

# Answers the message box that Orvane shows next (titled "Orvane") with a key, Return for its default button.
answer_message() {
    local box
    box=$(timeout 20 xdotool search --sync --onlyvisible --name '^Orvane$' | head -n 1)
    [ -n "$box" ] || fail "no message box showed"
    if [ -n "${UNDER_WINE:-}" ]; then
        # With no window manager, Wine gives the keys to the window it made active, and only a click activates
        # one: the box is clicked on its margin first, as a user would.
        xdotool mousemove --window "$box" 4 4 click 1
    else
        xdotool windowfocus --sync "$box"
    fi
    xdotool key "${1:-Return}"
    wait_until 20 window_gone "$box" || {
        xwininfo -root -children | grep -F '"' >&2
        fail "the message box $box did not close"
    }
}

# The windows Orvane shows now: its main window, and any menu, progress window or message box over it. (Under
# Wine the windows belong to a process other than the one started: ORVANE_WINDOW_PID names it.)
orvane_windows() {
    xdotool search --onlyvisible --pid "${ORVANE_WINDOW_PID:-$ORVANE_PID}" 2>/dev/null | wc -l
}

orvane_shows_only_its_window() {
    [ "$(orvane_windows)" -eq 1 ]
}

orvane_shows_more_than_its_window() {
    [ "$(orvane_windows)" -gt 1 ]
}

# Opens the "File" menu and waits until it shows, so the keys that follow go to it.
open_file_menu() {
    xdotool mousemove --window "$WINDOW" 20 $((MENU_HEIGHT / 2)) click 1
    wait_until 20 orvane_shows_more_than_its_window || {
        xwininfo -root -children >&2
        fail "the File menu did not open"
    }
}

# Whether no emulator started from the program folder is still running.
no_emulator_running() {
    ! pgrep -f -- "$PROGRAM/MESS.EXE" >/dev/null
}

window_gone() {
    # Without a window, xwininfo would wait for one to be clicked.
    [ -n "$1" ] || return 0
    ! timeout 10 xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# Closes the main window as its close box would, and waits for Orvane to end.
close_orvane() {
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/close_window.py" "$WINDOW" || fail "cannot send WM_DELETE_WINDOW"
    wait_until 20 sh -c "! kill -0 $ORVANE_PID" || {
        describe_orvane
        fail "Orvane did not end when its window was closed"
    }
    wait "$ORVANE_PID" 2>/dev/null
    ORVANE_PID=
}

# What a run that does not end was doing: the windows it shows, where each of its threads waits, their stacks
# where gdb is at hand, and what it printed.
describe_orvane() {
    echo "windows shown:" >&2
    local shown
    for shown in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        echo "  $shown $(xdotool getwindowname "$shown" 2>/dev/null)" >&2
    done
    echo "threads (id, state, waiting in, name):" >&2
    ps -L -o tid=,stat=,wchan:32=,comm= -p "$ORVANE_PID" >&2
    if command -v gdb >/dev/null; then
        timeout 60 gdb -p "$ORVANE_PID" -batch -ex 'thread apply all bt 25' 2>&1 | grep -E '^(Thread|#)' >&2
    fi
    echo "its output:" >&2
    cat "$WORK/orvane.log" >&2
}

# "x y width height" of a window. (xdotool's --shell form would also overwrite $WINDOW.)
window_geometry() {
    (eval "$(xdotool getwindowgeometry --shell "$1")" && echo "$X $Y $WIDTH $HEIGHT")
}

# Clicks at a point given in the client area's pixels (below the menu bar). No --sync: it would wait for a motion
# that never comes when the pointer is there already, and the server handles the move before the click anyway.
click_client() {
    xdotool mousemove --window "$WINDOW" "$1" $(($2 + MENU_HEIGHT)) click "${3:-1}"
}

# The number of runs the stand-in logged.
runs_logged() {
    if [ -f "$ORVANE_STANDIN_LOG" ]; then
        grep -c '^run$' "$ORVANE_STANDIN_LOG"
    else
        echo 0
    fi
}

# Whether the stand-in logged at least $1 runs.
runs_at_least() {
    [ "$(runs_logged)" -ge "$1" ]
}

# Waits for the stand-in's run number $1 and checks that it received each of the other arguments.
expect_run() {
    local number=$1 argument
    shift
    wait_until 60 runs_at_least "$number" || fail "run $number never came: $(cat "$WORK/orvane.log")"
    for argument in "$@"; do
        logged_run "$number" | grep -qxF "arg=$argument" ||
            fail "run $number did not receive \"$argument\": $(logged_run "$number")"
    done
}

# Gives the stand-in one more system for an update to find: "aardvark", with the image "first.bin". It sorts
# first, so once the lists are reloaded it is selected and its image is the first image line.
add_system_for_update() {
    printf 'aardvark  "Aardvark Computer"\r\n' >>"$PROGRAM/listfull.txt"
    mkdir -p "$PROGRAM/ROMS/aardvark"
    echo image >"$PROGRAM/ROMS/aardvark/first.bin"
}

# The block of the n-th run in the stand-in's log.
logged_run() {
    awk -v wanted="$1" '/^run$/ { count++ } count == wanted { print } /^end$/ && count == wanted { exit }' \
        "$ORVANE_STANDIN_LOG"
}

cleanup() {
    # A script that started more (Wine) says how to end it.
    declare -F cleanup_more >/dev/null && cleanup_more
    [ -n "${ORVANE_PID:-}" ] && kill "$ORVANE_PID" 2>/dev/null
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$WORK"
}

WORK=$(mktemp -d /tmp/orvane-journey.XXXXXX)
trap cleanup EXIT
