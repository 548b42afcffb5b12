#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quillet developers
"""Drives the running program by keys, as a blind student would, and checks
what the screen reader running beside it (Orca, writing its debug log) said.

    a11y-drive.py PART ORCA_LOG BANK_QUESTIONS

PART is "test" (a whole mode-1 test of the one chosen section, then its
results) or "figure" (skips to a question with a figure, opens it with F,
closes it, then leaves to the main menu and reads the information pages).
BANK_QUESTIONS is a file of the chosen sections' question texts, one a line.
scripts/a11y-check starts the program, the screen reader and this script.
Exits with 1 and says why at the first thing a screen reader user would miss.
"""

import re
import subprocess
import sys
import time

import pyatspi

TIMEOUT = 20  # seconds to wait for a window or for the screen reader to speak


class Failure(Exception):
    pass


def norm(text):
    return " ".join(text.replace("&&", "&").split())


class Speech:
    """What the screen reader said, from its debug log."""

    def __init__(self, path):
        self.path = path
        self.mark = 0

    def _said(self):
        with open(self.path, encoding="utf-8", errors="replace") as f:
            log = f.read()
        # SPEECH OUTPUT: 'text'  (long texts go on over the following lines)
        out = []
        for m in re.finditer(r"SPEECH OUTPUT: '(.*?)'\s*\{", log, re.S):
            out.append((m.start(), norm(re.sub(r"'\s*\n\s*'", " ", m.group(1)))))
        return out

    def since_mark(self):
        return [text for pos, text in self._said() if pos >= self.mark]

    def set_mark(self):
        with open(self.path, encoding="utf-8", errors="replace") as f:
            self.mark = len(f.read())

    def wait_for(self, wanted, what):
        """Waits until something said since the mark contains `wanted`."""
        wanted = norm(wanted)
        deadline = time.time() + TIMEOUT
        while time.time() < deadline:
            if any(wanted in text for text in self.since_mark()):
                return
            time.sleep(0.2)
        raise Failure("%s was never spoken: %r not in %r" % (what, wanted, self.since_mark()))


def app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        a = desktop.getChildAtIndex(i)
        if a is not None and a.name == "Quillet":
            return a
    return None


def shown_nodes(node, out):
    try:
        states = node.getState()
        if not states.contains(pyatspi.STATE_SHOWING) and node.getRole() != pyatspi.ROLE_APPLICATION:
            return out
        out.append(node)
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None:
                shown_nodes(child, out)
    except Exception:  # a node that went away while we read
        pass
    return out


def nodes():
    a = app()
    return shown_nodes(a, []) if a is not None else []


def focused():
    for n in nodes():
        try:
            if n.getState().contains(pyatspi.STATE_FOCUSED) and n.getRole() != pyatspi.ROLE_DIALOG:
                return n
        except Exception:
            pass
    return None


def wait(predicate, what):
    deadline = time.time() + TIMEOUT
    while time.time() < deadline:
        found = predicate()
        if found:
            return found
        time.sleep(0.2)
    raise Failure("no %s" % what)


def named(role, pattern):
    def find():
        for n in nodes():
            try:
                if n.getRole() == role and re.fullmatch(pattern, n.name or ""):
                    return n
            except Exception:
                pass
        return None

    return find


def key(*names):
    subprocess.run(["xdotool", "key", "--delay", "120"] + list(names), check=True)


def current_question(questions):
    for n in nodes():
        try:
            if n.getRole() == pyatspi.ROLE_LABEL and norm(n.name) in questions:
                return norm(n.name)
        except Exception:
            pass
    return None


def focus_by(key_name, pattern, what, tries=12):
    """Presses `key_name` until the focused control's name matches."""
    for _ in range(tries):
        f = focused()
        if f is not None and re.fullmatch(pattern, f.name or ""):
            return f
        key(key_name)
        time.sleep(0.3)
    raise Failure("%s never took the keyboard focus" % what)


def whole_test(speech, questions):
    wait(named(pyatspi.ROLE_MENU_ITEM, "Exit"), "main menu")
    focus_by("Down", "Extra Class - Element 4", "the Extra class item")
    speech.set_mark()
    key("Return")
    asked = wait(lambda: current_question(questions), "test screen with a question")
    speech.wait_for(asked, "the first question")
    count = 1
    # Every way of answering from the keyboard, in turn; the top answer keeps
    # the focus, so each new question arrives on the same control.
    keys = ["Return", "1", "space", "2", "a", "3", "c", "4", "b", "Return", "d", "Return"]
    while True:
        speech.set_mark()
        key(keys[(count - 1) % len(keys)])
        nxt = wait(
            lambda: current_question(questions) not in (None, asked)
            and current_question(questions)
            or named(pyatspi.ROLE_DIALOG, "Test Results")(),
            "next question or results after answer %d" % count,
        )
        if not isinstance(nxt, str):
            break
        speech.wait_for(nxt, "question %d after answering by %s" % (count + 1, keys[(count - 1) % len(keys)]))
        asked = nxt
        count += 1
    if count != len(questions):
        raise Failure("the test asked %d questions, the section has %d" % (count, len(questions)))
    print("a11y-check: %d questions, each announced after its answer" % count)
    results(speech)


ROW = re.compile(r"E\d - .*: (not tested|\d+%, \d+ of \d+, (passed|not passed))")


def results(speech):
    speech.wait_for("Test Results", "the results window")
    # What a screen reader reads of the window as it opens: the sentences
    # only, never a row's score on its own next to another row.
    opening = [t for t in speech.since_mark() if t.startswith("Test Results")]
    stray = re.search(r"\d+% \(\d+ of \d+\)|NOT TESTED", " ".join(opening))
    if stray:
        raise Failure("a row's score read on its own: %r in %r" % (stray.group(0), opening))
    # Focus lands on the first row; Down reads on, row by row, then the
    # overall score.
    spoken_rows = []
    deadline = time.time() + TIMEOUT * 2
    while time.time() < deadline:
        f = focused()
        name = f.name if f is not None else ""
        if name.startswith("Overall score"):
            speech.wait_for(name, "the overall score")
            break
        if ROW.fullmatch(name or "") and (not spoken_rows or spoken_rows[-1] != name):
            speech.wait_for(name, "results row %r" % name)
            spoken_rows.append(name)
        speech.set_mark()
        key("Down")
        time.sleep(0.3)
    else:
        raise Failure("the overall score never took the focus; rows read: %r" % spoken_rows)
    sections = [r.split(" - ")[0] for r in spoken_rows]
    if sections != ["E%d" % d for d in (1, 2, 3, 4, 5, 6, 7, 8, 9, 0)]:
        raise Failure("results rows read out of order or left out: %r" % spoken_rows)
    print("a11y-check: results read row by row (%d rows), then the overall score" % len(spoken_rows))
    key("Escape")


def figure(speech, questions):
    wait(named(pyatspi.ROLE_MENU_ITEM, "Exit"), "main menu")
    focus_by("Down", "Extra Class - Element 4", "the Extra class item")
    key("Return")
    wait(lambda: current_question(questions), "test screen with a question")
    # Skip to the first question with a figure.
    for _ in range(len(questions)):
        if named(pyatspi.ROLE_PUSH_BUTTON, "Show figure")():
            break
        focus_by("Tab", "Skip question", "the skip button")
        key("space")
        time.sleep(0.5)
    else:
        raise Failure("no question with a figure")
    speech.set_mark()
    key("f")
    viewer = wait(named(pyatspi.ROLE_DIALOG, r"Figure .+"), "figure window named by its caption")
    speech.wait_for(viewer.name, "the figure's caption")
    print("a11y-check: F opened %r and it was read" % viewer.name)
    key("Escape")
    wait(lambda: not named(pyatspi.ROLE_DIALOG, r"Figure .+")(), "figure window closed")
    # Leave the test (nothing was answered: no results) for the menu.
    focus_by("Tab", "End the test", "the end button")
    key("space")
    wait(lambda: not named(pyatspi.ROLE_PUSH_BUTTON, "Skip question")(), "test screen closed")
    information(speech)


def information(speech):
    wait(named(pyatspi.ROLE_MENU_ITEM, "Exit"), "main menu")
    focus_by("Up", "General Information", "the information item")
    speech.set_mark()
    key("Return")
    wait(named(pyatspi.ROLE_MENU_ITEM, "How to Study"), "information window")
    focus_by("Down", "How to Study", "the How to Study item")
    speech.set_mark()
    key("Return")
    speech.wait_for("How to Study", "the new page after Enter")
    said = " ".join(speech.since_mark())
    if len(said) < 80:
        raise Failure("the How to Study page was not read: %r" % said)
    print("a11y-check: the information page read after Enter")


def main():
    part, log, bank = sys.argv[1:4]
    with open(bank, encoding="utf-8") as f:
        questions = {norm(line) for line in f if line.strip()}
    speech = Speech(log)
    try:
        wait(app, "program on the accessibility bus")
        if part == "test":
            whole_test(speech, questions)
        else:
            figure(speech, questions)
    except Failure as failure:
        print("a11y-check FAILED: %s" % failure)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
