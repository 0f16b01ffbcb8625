#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# The suite runs with a home of its own, planted with an emulator's folders as a user's home holds them: a test
# or benchmark that ran the emulator without giving it a home of its own would change them.
#
#   home_check.sh plant HOME     makes the home and notes what its emulator folders hold
#   home_check.sh compare HOME   fails, naming what changed, when they hold anything else
set -u
action=${1:?usage: home_check.sh plant|compare HOME}
home=${2:?usage: home_check.sh plant|compare HOME}
state() {
    (cd "$home" && find .mame mame -print0 | sort -z | xargs -0 -I{} sh -c 'printf "%s " "{}"; if [ -f "{}" ]; then sha256sum < "{}"; else echo; fi')
}
case "$action" in
plant)
    rm -rf "$home"
    mkdir -p "$home/.mame/cfg" "$home/mame/roms"
    printf 'rompath $HOME/mame/roms\n' >"$home/.mame/mame.ini"
    printf '<?xml version="1.0"?>\n<mameconfig version="10"/>\n' >"$home/.mame/cfg/default.cfg"
    state >"$home.state"
    ;;
compare)
    if ! state | cmp -s - "$home.state"; then
        echo "FAIL: something ran the emulator with the suite's home and changed its folders:"
        state | diff "$home.state" - | sed -n 's/^[<>] //p'
        exit 1
    fi
    echo "The emulator folders of the suite's home are as planted."
    ;;
*)
    echo "usage: home_check.sh plant|compare HOME" >&2
    exit 2
    ;;
esac
