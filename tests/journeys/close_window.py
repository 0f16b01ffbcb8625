#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
"""Closes a window as its close box does: sends it WM_DELETE_WINDOW. Usage: close_window.py WINDOW_ID"""
import sys

from Xlib import X, display, protocol

connection = display.Display()
window = connection.create_resource_object("window", int(sys.argv[1]))
protocols = connection.intern_atom("WM_PROTOCOLS")
delete = connection.intern_atom("WM_DELETE_WINDOW")
message = protocol.event.ClientMessage(window=window, client_type=protocols,
                                       data=(32, [delete, X.CurrentTime, 0, 0, 0]))
window.send_event(message, event_mask=X.NoEventMask)
# A round trip, not just a flush: the server may drop the requests of a client that hangs up before it has read them,
# and then the window never hears of the close.
connection.sync()
connection.close()
