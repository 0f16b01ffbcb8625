# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# Sourced by the scripts that build for Windows from Debian's sources into a cache folder.
#
#   cached PREFIX [--where]         prints PREFIX and exits when the cache holds a whole build there; else, with
#                                   --where, exits 1; else returns
#   install_missing PACKAGE...      installs with apt-get those of the packages that are not installed
#   debian_source PACKAGE=VERSION   unpacks that source package into the current folder
#   debian_source PACKAGE           unpacks the newest version of it that the mirrors serve
cached() {
    if [ -f "$1/.complete" ]; then
        echo "$1"
        exit 0
    fi
    if [ "${2:-}" = --where ]; then
        exit 1
    fi
}

install_missing() {
    local sudo=() missing=() package
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    if ((${#missing[@]})); then
        "${sudo[@]}" apt-get update
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${missing[@]}"
    fi
}

debian_source() {
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    # The source needs a deb-src entry; it is derived from the machine's own binary entries.
    if ! apt-get source --download-only "$1" >/dev/null 2>&1; then
        local list=/etc/apt/sources.list.d/orvane-deb-src.sources
        {
            for file in /etc/apt/sources.list.d/*.sources; do
                [ -f "$file" ] && [ "$file" != "$list" ] || continue
                grep -qi '^Types:.*\bdeb\b' "$file" || continue
                sed -e 's/^Types:.*/Types: deb-src/I' "$file"
                echo
            done
            if [ -f /etc/apt/sources.list ]; then
                sed -n 's/^deb \(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list
            fi
        } >/tmp/orvane-deb-src.$$
        "${sudo[@]}" install -m 644 /tmp/orvane-deb-src.$$ "$list"
        rm -f /tmp/orvane-deb-src.$$
        "${sudo[@]}" apt-get update
    fi
    case "$1" in
    *=*) apt-get source "$1" ;;
    *)
        # A version the lists name may not be on the mirror (a security update's source, say): the next is tried.
        local version
        for version in $(apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -u -r -V); do
            apt-get source "$1=$version" && return 0
            rm -f "${1}"_*
        done
        echo "No source of $1 could be fetched" >&2
        return 1
        ;;
    esac
}
