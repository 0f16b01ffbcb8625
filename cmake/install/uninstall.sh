#!/bin/sh
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# Removes Orvane as the install put it here, and nothing else: each file the install made (uninstall.txt beside this
# script names them), while it holds what the install wrote; then the folders the install made, when they are
# empty. What you put here, what Orvane made (the catalogue, the favourites, the bridge's files), and a file you
# changed or replaced (your own MESS.EXE, say) are kept, and named. Runs without the source checkout.
set -u
here=$(cd "$(dirname "$0")" && pwd)
record="$here/uninstall.txt"
[ -f "$record" ] || {
    echo "No $record: nothing says what the install made here." >&2
    exit 1
}
kept=0
keep() {
    echo "Kept: $1 ($2)"
    kept=$((kept + 1))
}
folders=""
while IFS=' ' read -r kind what path; do
    case "$kind" in
    file)
        if [ -L "$path" ] || [ ! -f "$path" ]; then
            [ -e "$path" ] || [ -L "$path" ] && keep "$path" "it is no longer the file the install made"
        elif [ "$(sha256sum <"$path" | cut -d' ' -f1)" = "$what" ]; then
            rm -f "$path" && echo "Removed: $path"
        else
            keep "$path" "changed since the install"
        fi
        ;;
    link)
        if [ -L "$path" ] && [ "$(readlink "$path")" = "$what" ]; then
            rm -f "$path" && echo "Removed: $path"
        elif [ -e "$path" ] || [ -L "$path" ]; then
            keep "$path" "it is no longer the link the install made"
        fi
        ;;
    folder)
        folders="$path
$folders"
        ;;
    esac
done <"$record"
rm -f "$record" "$here/uninstall.sh"
# The deepest first: a folder empties as the folders in it go.
echo "$folders" | awk '{ print length($0) "\t" $0 }' | sort -rn | cut -f2- | while IFS= read -r folder; do
    [ -n "$folder" ] && [ -d "$folder" ] || continue
    if rmdir "$folder" 2>/dev/null; then
        echo "Removed: $folder/"
    else
        echo "Kept: $folder/ (it holds what you or Orvane put there)"
    fi
done
[ "$kept" -eq 0 ] || echo "$kept file(s) kept."
