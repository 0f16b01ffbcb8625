# SPDX-FileCopyrightText: 2026 Orvane developers
# SPDX-License-Identifier: MIT
"""Where a path goes on its way through Orvane's code, as gdb sees one run.

    cmake -S . -B build-debug -G Ninja -DCMAKE_BUILD_TYPE=Debug && cmake --build build-debug --target favourite_append
    gdb -q -batch -x tools/path_walk.py --args build-debug/tests/favourite_append Orvane.fav "a line"

Stops at each of Orvane's functions that the run enters holding a std::filesystem::path argument and prints the
walk: each stay (one or more such functions in a row in one source file, including a return to a file the path had
left) and how often each file was visited. Needs a build with debug information and without optimisation, so that
no function is folded into its caller.
"""
import re

import gdb

gdb.execute("set pagination off")
gdb.execute("set confirm off")
entries = []  # (depth of the frame, source file)


def holds_path(frame):
    try:
        return any(symbol.is_argument and re.search(r"filesystem::(__cxx11::)?path\b", str(symbol.type))
                   for symbol in frame.block())
    except RuntimeError:
        return False


class Entry(gdb.Breakpoint):
    def stop(self):
        frame = gdb.newest_frame()
        if holds_path(frame):
            depth, older = 0, frame
            while older is not None:
                depth, older = depth + 1, older.older()
            entries.append((depth, frame.find_sal().symtab.filename, frame.name()))
        return False


gdb.execute("break main")
gdb.execute("run")
source = None
for line in gdb.execute("info functions ^Orvane::", to_string=True).splitlines():
    heading = re.match(r"^File (.*):$", line)
    if heading:
        source = heading.group(1)
        continue
    function = re.match(r"^(\d+):\s", line)
    if function and source:
        Entry("%s:%s" % (source, function.group(1)), internal=True)
gdb.execute("continue")

# The files the path is in, in order: an entry deeper than the one before goes on, a shallower one first returns
# through the files of the frames it leaves.
stack, stays = [], []
for depth, source, name in entries:
    while stack and stack[-1][0] >= depth:
        stack.pop()
        if stack and stays[-1] != stack[-1][1]:
            stays.append(stack[-1][1])
    stack.append((depth, source))
    if not stays or stays[-1] != source:
        stays.append(source)
    print("  " * len(stack) + "%s (%s)" % (name, source))
print("stays: %d: %s" % (len(stays), " > ".join(stays)))
for source in sorted(set(stays), key=stays.index):
    print("  %s: %d" % (source, stays.count(source)))
