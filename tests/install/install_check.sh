#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# Installs into a fresh prefix (with a blank in its name, as home folders may have) and checks that the result is
# a working program folder with a valid desktop entry, that the installed program starts on that folder, and that
# the uninstall.sh the install leaves there takes away all it made and nothing else.
set -u
build=${1:?usage: install_check.sh BUILD_FOLDER}
work=$(mktemp -d /tmp/orvane-install.XXXXXX)
orvane_pid=
# Every install writes the build's install_manifest.txt: it is put back as it was (or removed, where there was none)
# however this check ends, so that the check leaves the build as it found it.
manifest="$build/install_manifest.txt"
[ -f "$manifest" ] && cp -p "$manifest" "$work/users-manifest"
cleanup() {
    [ -n "$orvane_pid" ] && kill "$orvane_pid" 2>/dev/null
    if [ -f "$work/users-manifest" ]; then
        cp -p "$work/users-manifest" "$manifest"
    else
        rm -f "$manifest"
    fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

prefix="$work/my prefix"
cmake --install "$build" --prefix "$prefix" || fail "the install failed"
folder="$prefix/lib/orvane"

echo "-- the program folder: the program, the help page, empty INP and ROMS, the bridge as MESS.EXE"
[ -x "$folder/orvane" ] || fail "no program"
[ -f "$folder/Orvane.htm" ] || fail "no help page"
for empty in INP ROMS; do
    [ -d "$folder/$empty" ] && [ -z "$(ls -A "$folder/$empty")" ] || fail "$empty is not an empty folder"
done
cmp -s "$folder/MESS.EXE" "$folder/orvane-bridge" && [ -x "$folder/MESS.EXE" ] ||
    fail "MESS.EXE is not the bridge to the emulator"

echo "-- the desktop entry and the icons"
entry="$prefix/share/applications/orvane.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate refused $entry"
grep -qx "Exec=\"$folder/orvane\"" "$entry" || fail "the entry does not start the installed program: $(grep Exec "$entry")"
for size in 16 32 48 256; do
    [ -s "$prefix/share/icons/hicolor/${size}x$size/apps/orvane.png" ] || fail "no $size pixel icon"
done

echo "-- the command in bin finds its program folder"
"$prefix/bin/orvane" --version | tee "$work/version"
grep -qx 'Orvane v0.0.6' "$work/version" || fail "wrong version line"
grep -qx "Program folder: $folder" "$work/version" || fail "the program folder is not the installed one"
"$prefix/bin/orvane" --help >"$work/help" || fail "--help did not succeed"
grep -q 'Orvane.htm' "$work/help" || fail "the usage does not name the user's guide"
"$prefix/bin/orvane" --no-such-option >"$work/out" 2>"$work/err"
[ $? -eq 2 ] && [ ! -s "$work/out" ] && grep -q '^Usage: orvane' "$work/err" ||
    fail "an unknown option was not refused with the usage"

echo "-- the installed program starts, from another folder, on its program folder"
printf 'Name:     Description:\r\ninst      "Installed System"\r\n' >"$folder/Orvane.sys"
mkdir -p "$work/elsewhere" "$work/config"
(cd "$work/elsewhere" && exec env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" "$prefix/bin/orvane") &
orvane_pid=$!
settings="$work/config/Orvane/Orvane.conf"
for _ in $(seq 100); do
    grep -q 'AdditionalParamText' "$settings" 2>/dev/null && break
    sleep 0.1
done
grep -q 'AdditionalParamText=Nothing !' "$settings" 2>/dev/null || fail "the installed program did not start up"
kill -0 "$orvane_pid" 2>/dev/null || fail "the installed program ended"
kill "$orvane_pid" && wait "$orvane_pid" 2>/dev/null
orvane_pid=

echo "-- an update keeps a MESS.EXE the user put there, in any letter case"
rm "$folder/MESS.EXE"
echo "the user's own" >"$folder/mess.exe"
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "the second install failed"
[ "$(cat "$folder/mess.exe")" = "the user's own" ] && [ ! -e "$folder/MESS.EXE" ] ||
    fail "the install replaced the user's emulator"
rm "$folder/mess.exe"
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "the third install failed"

echo "-- the installed uninstall.sh removes what the install made, and keeps what the user put there"
mkdir -p "$folder/ROMS/a2600"
echo "an image" >"$folder/ROMS/a2600/Game.a26"
echo "the user's own" >"$folder/MESS.EXE"
(cd "$work/elsewhere" && "$folder/uninstall.sh") >"$work/uninstall.log" || fail "uninstall.sh failed: $(cat "$work/uninstall.log")"
cat "$work/uninstall.log"
left=$(cd "$prefix" && find . | sort | tr '\n' ' ')
[ "$left" = ". ./lib ./lib/orvane ./lib/orvane/MESS.EXE ./lib/orvane/Orvane.sys ./lib/orvane/ROMS ./lib/orvane/ROMS/a2600 ./lib/orvane/ROMS/a2600/Game.a26 " ] ||
    fail "the uninstall left or took the wrong files: $left"
grep -q "Kept: $folder/MESS.EXE (changed since the install)" "$work/uninstall.log" || fail "the kept emulator is not named"
echo "PASS: install_check"
