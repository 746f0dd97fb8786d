#!/usr/bin/python3
# Prints the accessibility tree of the running program named on the command
# line, one node a line: depth, role, name and where it is on the screen
# ("x y width height", empty for a node without a place), tab-separated. The
# end-to-end tests read what a screen reader would, without looking into the
# program, and point at what they find there.
import sys

import pyatspi


def place(node):
    try:
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    except NotImplementedError:
        return ""
    return f"{box.x} {box.y} {box.width} {box.height}"


def show(node, depth):
    name = (node.name or "").replace("\n", "\\n")
    print(f"{depth}\t{node.getRoleName()}\t{name}\t{place(node)}")
    for child in node:
        if child is not None and depth < 40:
            show(child, depth + 1)


program = sys.argv[1] if len(sys.argv) > 1 else "lumarine"
for app in pyatspi.Registry.getDesktop(0):
    if app is not None and app.name == program:
        show(app, 0)
        sys.exit(0)
sys.exit(f"{program} is not on the accessibility bus")
