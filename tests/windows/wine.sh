# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
# Shared by the Windows tests: Wine in a prefix of the test's own (in $WORK, from tests/journeys/xvfb.sh).

# The Windows spelling of a path here: Wine shows the whole file system as drive Z:.
windows_path() {
    local path=$1
    echo "Z:${path//\//\\}"
}

# Finds Wine and starts it in a fresh prefix, unless the caller's is there already. Returns 77 (skip) when Wine
# is missing or cannot start.
start_wine() {
    WINE=$(command -v wine64 || command -v wine || { [ -x /usr/lib/wine/wine64 ] && echo /usr/lib/wine/wine64; })
    if [ -z "$WINE" ]; then
        echo "SKIPPED: Wine is not installed, so the Windows tests cannot run here."
        return 77
    fi
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ -z "${WINEPREFIX:-}" ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
        export WINEPREFIX="$WORK/wine"
        local answer
        answer=$(timeout 300 "$WINE" cmd /c echo wine-started 2>&1)
        if ! echo "$answer" | grep -q wine-started; then
            echo "SKIPPED: Wine cannot start here: $answer"
            return 77
        fi
    fi
    WINESERVER="$(dirname "$(readlink -f "$WINE")")/wineserver"
    [ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
}

# Ends every Windows process of the prefix.
stop_wine() {
    [ -n "${WINEPREFIX:-}" ] && "${WINESERVER:-wineserver}" -k 2>/dev/null
    true
}
