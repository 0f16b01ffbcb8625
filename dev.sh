#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
#
#   ./dev.sh run    install what is missing, build, and start Orvane on the demo program folder
#   ./dev.sh test   install what is missing, build, and run every test headless
set -euo pipefail
cd "$(dirname "$0")"

action=${1:-}
case "$action" in
run | test) ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac

# Debian 12 packages: the compiler and build tools, Qt 6, fonts close to the window's own, and for the tests an
# X server with the tools that drive it.
packages=(build-essential cmake ninja-build qt6-base-dev fonts-dejavu-core fonts-liberation2
    xvfb xdotool x11-utils python3-xlib desktop-file-utils)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing ${missing[*]}"
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build

if [ "$action" = run ]; then
    exec build/demo/orvane
fi
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
