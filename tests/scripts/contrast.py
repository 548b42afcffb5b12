#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quillet developers
"""Measures colour contrast on the screenshots of `make screenshots`.

    contrast.py SCREENSHOT_DIR

For each place below, two boxes are cut from a screenshot: one holding the
text or the focus mark, one of the background round it. The text (or mark)
colour is the pixel of the first box that stands out most from the
background's middle colour; the contrast is that colour against the
background pixel closest to it, so a striped or shaded background counts at
its worst. Text needs 4.5:1 (WCAG 2.1 AA), a focus mark 3:1 against what is
round it (non-text contrast).
"""

import os
import subprocess
import sys

TEXT = 4.5
MARK = 3.0

# (screenshot, what, text or mark box, background box, threshold); boxes are
# (left, top, width, height) in pixels of the window at its designed size.
PLACES = [
    ("results-failed.png", "overall score on the dark band", (426, 8, 112, 38), (404, 4, 18, 42),
     TEXT),
    ("results-failed.png", "NOT TESTED on the stripes", (292, 316, 86, 16), (262, 314, 26, 20), TEXT),
    ("options-topics.png", "section box label", (120, 133, 180, 16), (300, 133, 60, 16), TEXT),
    ("keyboard-options-section.png", "focused section box label", (130, 137, 150, 9),
     (310, 134, 60, 12), TEXT),
    ("keyboard-take-test.png", "focus mark round the top answer", (100, 134, 300, 1),
     (100, 128, 300, 5), MARK),
    ("keyboard-options-section.png", "focus mark round a section box", (160, 132, 100, 1),
     (160, 128, 100, 3), MARK),
    ("keyboard-options-page-button.png", "focus mark on a page button", (180, 75, 60, 1),
     (180, 72, 60, 3), MARK),
    ("keyboard-mainmenu.png", "focus mark on a main menu item", (300, 220, 100, 1),
     (300, 214, 100, 5), MARK),
    ("keyboard-options-setting.png", "focus mark on a settings check box", (120, 136, 100, 1),
     (120, 130, 100, 5), MARK),
    ("keyboard-options-size.png", "focus mark on a size option", (325, 279, 20, 1),
     (325, 273, 20, 5), MARK),
]


def pixels(path, box):
    left, top, width, height = box
    out = subprocess.run(
        ["/usr/bin/convert", path, "-crop", "%dx%d+%d+%d" % (width, height, left, top), "+repage",
         "-depth", "8", "txt:-"],
        check=True, capture_output=True, text=True).stdout
    grid = {}
    for line in out.splitlines()[1:]:
        where, _, rest = line.partition(":")
        x, y = (int(v) for v in where.split(","))
        colour = rest.split("#")[1][:6]
        grid[(x, y)] = tuple(int(colour[i:i + 2], 16) for i in (0, 2, 4))
    return grid


def luminance(rgb):
    def channel(c):
        c /= 255.0
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def measure(path, box, around):
    inside = list(pixels(path, box).values())
    background = list(pixels(path, around).values())
    middle = sorted(background, key=luminance)[len(background) // 2]
    mark = max(inside, key=lambda c: contrast(c, middle))
    worst = min(background, key=lambda c: contrast(c, mark))
    return contrast(mark, worst), mark, worst


def main():
    folder = sys.argv[1]
    failed = 0
    for name, what, box, around, threshold in PLACES:
        path = os.path.join(folder, name)
        if not os.path.exists(path):
            print("FAILED: no screenshot %s" % name)
            failed += 1
            continue
        ratio, mark, background = measure(path, box, around)
        ok = ratio >= threshold
        failed += not ok
        print("%s %s: %.2f:1 (#%02x%02x%02x on #%02x%02x%02x, needs %.1f:1)" % (
            "ok    " if ok else "FAILED", what, ratio, *mark, *background, threshold))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
