#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# Start-up as a user sees it: from exec to the main window mapped on Xvfb, timed by a listener for the X server's
# map events, each a first start. Three comparisons, each in alternating pairs whose ratios give the figure (the
# machine's drift cancels out within a pair):
#   1. the real orvane on a program folder of 45,000 systems (20,000 images for the first) against the demo folder,
#      with the peak memory of the large start; as first starts, then as later starts (the settings file there);
#   2. each way of starting sooner (the probe's --without switches): the start-up probe on the large folder with every trick
#      against the same without that one;
#   3. where Debian's emulator is installed: its real catalogue through the bridge (2,000 images for the first
#      system) against the demo folder.
#   bench/startup_under_xvfb.sh [BUILD_FOLDER] [RUNS]
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
runs=${2:-15}
. "$here/../tests/journeys/xvfb.sh"
start_xvfb

big="$WORK/big"
"$build/bench/orvane-bench" --folder "$big" --generate-only 2>/dev/null || fail "cannot generate the big folder"
cp "$build/demo/orvane" "$big/"
make_program_folder "$build/demo"

now() { date +%s%N; }

# Milliseconds from exec to the main window mapped, then the start's peak memory in kB: "MS KB". The window is
# awaited by a listener for X map events that is ready before the program starts, so nothing polls the X server
# while the program starts up. Runs `program folder [arguments...]` with a settings store of its own.
start_once() {
    local program=$1 folder=$2
    shift 2
    # A first start has a settings store of its own; with KEPT_SETTINGS each program and folder keeps theirs.
    local config="$WORK/config-$RANDOM"
    [ -n "${KEPT_SETTINGS:-}" ] && config="$WORK/kept-$(printf '%s' "$program $folder" | cksum | cut -d' ' -f1)"
    mkdir -p "$config"
    local begin shown pid ready waiter peak
    coproc WAITER { "$here/wait_for_window.py" 'Orvane (alpha 6)'; }
    # Bash forgets a coprocess's variables once it has ended.
    waiter=$WAITER_PID
    read -r ready <&"${WAITER[0]}" || fail "cannot listen for windows"
    begin=$(now)
    QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$config" "$program" "$@" >/dev/null 2>&1 &
    pid=$!
    read -r -t 20 shown <&"${WAITER[0]}" || fail "the window of $program on $folder did not show"
    peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status" 2>/dev/null)
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    wait "$waiter" 2>/dev/null
    [ -n "${KEPT_SETTINGS:-}" ] || rm -rf "$config"
    echo "$(((shown - begin) / 1000000)) ${peak:-0}"
}

median() { sort -n | awk '{ value[NR] = $1 } END { print (NR % 2) ? value[(NR + 1) / 2] : (value[NR / 2] + value[NR / 2 + 1]) / 2 }'; }

# Runs `runs` pairs of starts, A then B (each a command line for start_once), and prints the medians of each side,
# of B's peak memory, and of the pairs' ratios B/A: "A_MS B_MS B_PEAK_MB RATIO".
pairs() {
    local -n first=$1 second=$2
    local a_times=() b_times=() peaks=() ratios=() a b peak
    for _ in $(seq "$runs"); do
        read -r a _ < <(start_once "${first[@]}")
        read -r b peak < <(start_once "${second[@]}")
        a_times+=("$a") b_times+=("$b") peaks+=("$peak")
        ratios+=("$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.3f", b / a }')")
    done
    echo "$(printf '%s\n' "${a_times[@]}" | median) $(printf '%s\n' "${b_times[@]}" | median)" \
        "$(printf '%s\n' "${peaks[@]}" | median | awk '{ printf "%.1f", $1 / 1024 }')" \
        "$(printf '%s\n' "${ratios[@]}" | median)"
}

echo "Start-up to the window mapped under Xvfb, medians of $runs alternating pairs:"
echo
echo "| Start | Its time | Held against | Its time | Ratio | Peak memory |"
echo "|---|---:|---|---:|---:|---:|"
demo_start=("$PROGRAM/orvane" "$PROGRAM")
big_start=("$big/orvane" "$big")
read -r demo large peak ratio < <(pairs demo_start big_start)
echo "| 45,000 systems, 20,000 images | $large ms | the demo folder | $demo ms | $ratio | $peak MB |"

# A later start, the one users make every day: the settings file is there and a start writes nothing back (a
# first start writes each option's default, one write of the file each). One start of each first makes the files.
export KEPT_SETTINGS=1
start_once "${demo_start[@]}" >/dev/null
start_once "${big_start[@]}" >/dev/null
read -r demo large peak ratio < <(pairs demo_start big_start)
unset KEPT_SETTINGS
echo "| the same, a later start (settings kept) | $large ms | the demo folder, a later start | $demo ms | $ratio | $peak MB |"

# Each way of starting sooner, on the large folder: without it against with every trick.
probe="$build/bench/orvane-startup-probe"
every=("$probe" "$big" "$big" "$WORK/probe.conf")
for trick in prepare-ahead images-beside-sort; do
    # shellcheck disable=SC2034 # read by pairs through a name reference
    without=("$probe" "$big" "$big" "$WORK/probe.conf" --without "$trick")
    read -r with alone _ ratio < <(pairs every without)
    echo "| large start without $trick (probe) | $alone ms | every trick | $with ms | $ratio | |"
done

# The emulator's real catalogue, as the bridge lists it, with 2,000 images for the system the list shows first.
emulator=$(command -v mame || { [ -x /usr/games/mame ] && echo /usr/games/mame; })
if [ -n "$emulator" ] && [ -x "$build/bridge/orvane-bridge" ]; then
    real="$WORK/real"
    mkdir -p "$real/ROMS" "$real/INP"
    cp "$build/demo/orvane" "$real/"
    cp "$build/bridge/orvane-bridge" "$real/MESS.EXE"
    (cd "$real" && ./MESS.EXE -listfull >Orvane.sys) || fail "the bridge could not list the emulator's systems"
    first=$("$build/bench/orvane-bench" --first-system "$real/Orvane.sys" 2>/dev/null)
    [ -n "$first" ] || fail "cannot tell the first system of $real/Orvane.sys"
    mkdir -p "$real/ROMS/$first"
    for number in $(seq 2000); do : >"$real/ROMS/$first/Game $number.bin"; done
    real_start=("$real/orvane" "$real")
    read -r demo large peak ratio < <(pairs demo_start real_start)
    systems=$(($(wc -l <"$real/Orvane.sys") - 1))
    echo "| the emulator's $systems systems through the bridge, 2,000 images | $large ms | the demo folder | $demo ms | $ratio | $peak MB |"
fi
