#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# Start-up as a user sees it: the real orvane from exec to its window shown under Xvfb, on a program folder of
# 45,000 systems (20,000 images for the first) against the demo folder, in alternating runs, each a first start.
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

# Milliseconds from exec to the main window shown. The window is awaited by a listener for X map events that is
# ready before the program starts, so nothing polls the X server while the program starts up.
start_once() {
    local folder=$1 config="$WORK/config-$RANDOM"
    mkdir -p "$config"
    local begin shown pid ready waiter
    coproc WAITER { "$here/wait_for_window.py" 'Orvane (alpha 6)'; }
    # Bash forgets a coprocess's variables once it has ended.
    waiter=$WAITER_PID
    read -r ready <&"${WAITER[0]}" || fail "cannot listen for windows"
    begin=$(now)
    XDG_CONFIG_HOME="$config" "$folder/orvane" >/dev/null 2>&1 &
    pid=$!
    read -r -t 20 shown <&"${WAITER[0]}" || fail "the window of $folder/orvane did not show"
    kill "$pid"
    wait "$pid" 2>/dev/null
    wait "$waiter" 2>/dev/null
    rm -rf "$config"
    echo $(((shown - begin) / 1000000))
}

median() { sort -n | awk '{ value[NR] = $1 } END { print (NR % 2) ? value[(NR + 1) / 2] : (value[NR / 2] + value[NR / 2 + 1]) / 2 }'; }

# Each big start is paired with the demo start just before it, so the machine's drift over the runs (other
# programs, frequency) cancels out in the ratio; the figure is the median of those ratios.
demo_times=() big_times=() ratios=()
for _ in $(seq "$runs"); do
    demo_time=$(start_once "$PROGRAM")
    big_time=$(start_once "$big")
    demo_times+=("$demo_time")
    big_times+=("$big_time")
    ratios+=("$(awk -v big="$big_time" -v demo="$demo_time" 'BEGIN { printf "%.3f", big / demo }')")
done
demo=$(printf '%s\n' "${demo_times[@]}" | median)
large=$(printf '%s\n' "${big_times[@]}" | median)
ratio=$(printf '%s\n' "${ratios[@]}" | median)
echo "Start-up to the window shown under Xvfb, $runs alternating runs:"
echo "  demo folder (7 systems), median:                          $demo ms"
echo "  45,000 systems, 20,000 images for the first, median:      $large ms"
awk -v ratio="$ratio" 'BEGIN { printf "  median ratio of each pair: %.2f\n", ratio }'
