#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
"""Waits, without polling, for a top-level window with the given title to be mapped and prints the time it was
seen, in nanoseconds of the same clock as `date +%s%N`. Prints "ready" once it listens.
Usage: wait_for_window.py TITLE"""
import sys
import time

from Xlib import X, Xatom, display

title = sys.argv[1]
connection = display.Display()
root = connection.screen().root
root.change_attributes(event_mask=X.SubstructureNotifyMask)
connection.sync()
print("ready", flush=True)
while True:
    event = connection.next_event()
    if event.type != X.MapNotify:
        continue
    seen = time.time_ns()
    name = event.window.get_full_property(connection.intern_atom("_NET_WM_NAME"), 0)
    if name is None:
        name = event.window.get_full_property(Xatom.WM_NAME, 0)
    text = name.value.decode("utf-8", "replace") if name is not None and isinstance(name.value, bytes) else ""
    if text == title:
        print(seen, flush=True)
        break
