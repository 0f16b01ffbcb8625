#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
"""Waits up to ten seconds for a tool tip on the X display and prints what it reads, as the user sees it: the
tip's pixels, enlarged and read by tesseract. Exits 1 when no tip shows."""
import subprocess
import sys
import tempfile
import time

from Xlib import X, display, error

screen = display.Display()
tooltip_type = screen.intern_atom("_NET_WM_WINDOW_TYPE_TOOLTIP")
window_type = screen.intern_atom("_NET_WM_WINDOW_TYPE")


def shown_tip():
    for window in screen.screen().root.query_tree().children:
        # A window listed a moment ago (an earlier tip, say) may be gone when asked about.
        try:
            if window.get_attributes().map_state != X.IsViewable:
                continue
            types = window.get_full_property(window_type, X.AnyPropertyType)
        except (error.BadWindow, error.BadDrawable):
            continue
        if types and tooltip_type in types.value:
            return window
    return None


def main():
    deadline = time.monotonic() + 10
    tip = shown_tip()
    while tip is None and time.monotonic() < deadline:
        time.sleep(0.1)
        tip = shown_tip()
    if tip is None:
        return 1
    time.sleep(0.3)  # drawn once mapped
    geometry = tip.get_geometry()
    pixels = tip.get_image(0, 0, geometry.width, geometry.height, X.ZPixmap, 0xFFFFFFFF).data
    # Grey, four times larger: small screen text reads far better that way.
    scale = 4
    rows = bytearray()
    for y in range(geometry.height):
        row = bytearray()
        for x in range(geometry.width):
            blue, green, red = pixels[(y * geometry.width + x) * 4:(y * geometry.width + x) * 4 + 3]
            row += bytes([(red * 299 + green * 587 + blue * 114) // 1000]) * scale
        rows += bytes(row) * scale
    with tempfile.NamedTemporaryFile(suffix=".pgm") as image:
        image.write(b"P5 %d %d 255\n" % (geometry.width * scale, geometry.height * scale) + bytes(rows))
        image.flush()
        read = subprocess.run(["tesseract", image.name, "-", "--psm", "6"], capture_output=True, text=True)
    print(read.stdout.strip())
    return 0


sys.exit(main())
