#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
"""Writes a 4 KB Atari 2600 cartridge of the test's own: a jump to itself at $F000, and the reset and interrupt
vectors pointing there. The console needs no system ROM, so a test can play it with nothing that belongs to
anyone else."""
import sys

image = bytearray(4096)
image[0:3] = bytes([0x4C, 0x00, 0xF0])  # JMP $F000
image[0xFFC:0x1000] = bytes([0x00, 0xF0, 0x00, 0xF0])  # reset and IRQ vectors
with open(sys.argv[1], "wb") as output:
    output.write(image)
