#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quillet developers
"""Prints what a screen reader sees of the running program: every window of
the application named on the command line (default "Quillet"), with the role
and name of each shown node, indented by depth.

Run it on the same session bus as the program, with the accessibility bus up
(scripts/a11y-check starts both under Xvfb)."""

import sys

import pyatspi


def walk(node, depth, out):
    try:
        states = node.getState()
        showing = states.contains(pyatspi.STATE_SHOWING)
        role = node.getRoleName()
        name = node.name
    except Exception:  # a node that went away while we read
        return
    if showing or depth == 0:
        out.append("%s%s: %s" % ("  " * depth, role, name))
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, depth + 1, out)


def main():
    wanted = sys.argv[1] if len(sys.argv) > 1 else "Quillet"
    desktop = pyatspi.Registry.getDesktop(0)
    found = False
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is None or app.name != wanted:
            continue
        found = True
        out = []
        walk(app, 0, out)
        print("\n".join(out))
    if not found:
        names = [desktop.getChildAtIndex(i).name for i in range(desktop.childCount)]
        print("no application named %r on the accessibility bus; there are %r" % (wanted, names))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
