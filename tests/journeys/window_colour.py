#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
"""Prints the colour at the middle of an X window as "red green blue"."""
import sys

from Xlib import X, display

window = display.Display().create_resource_object("window", int(sys.argv[1], 0))
geometry = window.get_geometry()
pixel = window.get_image(geometry.width // 2, geometry.height // 2, 1, 1, X.ZPixmap, 0xFFFFFFFF).data
print(pixel[2], pixel[1], pixel[0])
