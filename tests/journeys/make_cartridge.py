#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
"""Writes a 4 KB Atari 2600 cartridge of the test's own: it draws frames of a blue background for ever (vertical
sync, 37 blank lines, 192 shown, 30 more), and its reset and interrupt vectors point to its start at $F000. The console needs no system ROM, so a test can play it with nothing that belongs to
anyone else."""
import sys

image = bytearray(4096)
program = [
    0xA9, 0x84, 0x85, 0x09,  # background colour: blue
    0xA9, 0x02, 0x85, 0x00, 0x85, 0x02, 0x85, 0x02, 0x85, 0x02, 0xA9, 0x00, 0x85, 0x00,  # frame: three sync lines
    0xA2, 37, 0x85, 0x02, 0xCA, 0xD0, 0xFB,  # blank lines
    0xA9, 0x00, 0x85, 0x01, 0xA2, 192, 0x85, 0x02, 0xCA, 0xD0, 0xFB,  # shown lines
    0xA9, 0x02, 0x85, 0x01, 0xA2, 30, 0x85, 0x02, 0xCA, 0xD0, 0xFB,  # overscan
    0x4C, 0x04, 0xF0,  # next frame
]
image[0:len(program)] = bytes(program)
image[0xFFC:0x1000] = bytes([0x00, 0xF0, 0x00, 0xF0])  # reset and IRQ vectors
with open(sys.argv[1], "wb") as output:
    output.write(image)
