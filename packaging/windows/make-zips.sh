#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
#
# Packs the Windows build into what a Windows user unpacks and runs:
#   Orvane-<version>-windows.zip       Orvane.exe, the DLLs it loads (found by reading its imports, and theirs),
#                                      the Windows platform plugin, Orvane.htm, the bridge as orvane-bridge.exe
#                                      (never as MESS.EXE, so that unpacking never replaces a user's emulator),
#                                      empty INP and ROMS
#   Orvane-<version>-windows-demo.zip  the same with the stand-in emulator as MESS.EXE and the demo data
#
#   packaging/windows/make-zips.sh WINDOWS_BUILD QT_FOR_WINDOWS OUTPUT_FOLDER
set -euo pipefail
build=$(cd "${1:?usage: make-zips.sh WINDOWS_BUILD QT_FOR_WINDOWS OUTPUT_FOLDER}" && pwd)
qt=$(cd "${2:?}" && pwd)
mkdir -p "${3:?}"
output=$(cd "$3" && pwd)
demo="$build/demo"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
objdump=x86_64-w64-mingw32-objdump
# Where the DLLs Orvane loads come from: Qt's, then the compiler's runtime.
dll_folders=("$qt/bin" /usr/lib/gcc/x86_64-w64-mingw32/*-posix /usr/x86_64-w64-mingw32/lib)

stage=$(mktemp -d /tmp/orvane-zip.XXXXXX)
trap 'rm -rf "$stage"' EXIT

# Copies into $1 each DLL that the files $2... import, and what those import in turn, leaving out Windows' own.
copy_imported_dlls() {
    local folder=$1
    shift
    local pending=("$@") file name found candidate
    while ((${#pending[@]})); do
        file=${pending[0]}
        pending=("${pending[@]:1}")
        while read -r name; do
            [ -e "$folder/$name" ] && continue
            found=
            for candidate in "${dll_folders[@]}"; do
                [ -f "$candidate/$name" ] && found="$candidate/$name" && break
            done
            [ -n "$found" ] || continue # a system DLL
            cp "$found" "$folder/$name"
            pending+=("$folder/$name")
        done < <("$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p')
    done
}

# $1: the folder to fill; $2: "demo" for the demo's content.
fill() {
    local folder=$1
    mkdir -p "$folder/platforms" "$folder/styles" "$folder/INP" "$folder/ROMS"
    cp "$demo/Orvane.exe" "$demo/Orvane.htm" "$folder/"
    cp "$build/bridge/orvane-bridge.exe" "$folder/"
    cp "$qt/plugins/platforms/qwindows.dll" "$folder/platforms/"
    # The native look of buttons and lists on Windows.
    if [ -f "$qt/plugins/styles/qwindowsvistastyle.dll" ]; then
        cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$folder/styles/"
    else
        rmdir "$folder/styles"
    fi
    local programs=("$folder/Orvane.exe" "$folder/orvane-bridge.exe" "$folder/platforms/"*.dll)
    [ -d "$folder/styles" ] && programs+=("$folder/styles/"*.dll)
    if [ "${2:-}" = demo ]; then
        cp "$demo/MESS.EXE" "$demo/Orvane.sys" "$demo/listfull.txt" "$demo/identify.txt" "$folder/"
        cp -r "$demo/ROMS/." "$folder/ROMS/"
        cp -r "$demo/INP/." "$folder/INP/"
        programs+=("$folder/MESS.EXE")
    fi
    copy_imported_dlls "$folder" "${programs[@]}"
    # What a user runs needs no debugging symbols: they are most of the size of the runtime DLLs.
    find "$folder" \( -iname '*.dll' -o -iname '*.exe' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
}

zip_folder() {
    local name=$1
    rm -f "$output/$name.zip"
    (cd "$stage/$name" && cmake -E tar cf "$output/$name.zip" --format=zip Orvane)
    echo "$output/$name.zip: $(stat -c %s "$output/$name.zip") bytes"
}

fill "$stage/Orvane-$version-windows/Orvane"
zip_folder "Orvane-$version-windows"
fill "$stage/Orvane-$version-windows-demo/Orvane" demo
zip_folder "Orvane-$version-windows-demo"
