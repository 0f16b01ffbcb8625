#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# Start-up as a user sees it: the real orvane from exec to its window shown under Xvfb, on a program folder of
# 45,000 systems (20,000 images for the first) against the demo folder, in alternating runs, each a first start.
#   bench/startup_under_xvfb.sh [BUILD_FOLDER] [RUNS]
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
runs=${2:-9}
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
    local begin shown pid ready
    coproc WAITER { "$here/wait_for_window.py" 'Orvane (alpha 6)'; }
    read -r ready <&"${WAITER[0]}" || fail "cannot listen for windows"
    begin=$(now)
    XDG_CONFIG_HOME="$config" "$folder/orvane" >/dev/null 2>&1 &
    pid=$!
    read -r -t 20 shown <&"${WAITER[0]}" || fail "the window of $folder/orvane did not show"
    kill "$pid"
    wait "$pid" 2>/dev/null
    wait "$WAITER_PID" 2>/dev/null
    rm -rf "$config"
    echo $(((shown - begin) / 1000000))
}

median() { sort -n | awk '{ value[NR] = $1 } END { print (NR % 2) ? value[(NR + 1) / 2] : (value[NR / 2] + value[NR / 2 + 1]) / 2 }'; }

demo_times=() big_times=()
for _ in $(seq "$runs"); do
    demo_times+=("$(start_once "$PROGRAM")")
    big_times+=("$(start_once "$big")")
done
demo=$(printf '%s\n' "${demo_times[@]}" | median)
large=$(printf '%s\n' "${big_times[@]}" | median)
echo "Start-up to the window shown under Xvfb, median of $runs alternating runs:"
echo "  demo folder (7 systems):                          $demo ms"
echo "  45,000 systems, 20,000 images for the first:      $large ms"
awk -v big="$large" -v demo="$demo" 'BEGIN { printf "  ratio: %.2f\n", big / demo }'
