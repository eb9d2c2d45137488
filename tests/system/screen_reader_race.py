#!/usr/bin/python3
# SPDX-FileCopyrightText: The Numblaze developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A blind player's race, played through the accessibility bus as a screen reader sees the game.

The player chooses Subtraction and Ronald Red with the toggle action that switch-access and
voice-control tools send, presses "Race!", reads each equation from the focused object's
description, answers once wrong and then right until the finish (typing on the keyboard and
pressing Enter), reads "You won!!!", leaves the race and the game, and finds the win credited
to Subtraction against Ronald Red in Progress.txt.

Usage: screen_reader_race.py GAME   (run it with reader-session.sh)
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# Generous: the machine may be busy. The only clock that matters is the opponent's (15 s).
PATIENCE = 60.0
RETURN = 0xFF0D  # the keysym of the Enter key

# Line n of Progress.txt holds the record of cell ((n - 1) div 3, (n - 1) mod 3); line 6 is
# Subtraction against Ronald Red. Every other line differs, so the record label tells which
# pairing the game took; lines 13 and 14 select Addition and Bobby Blue.
RECORDS = [str(20 + n) for n in range(1, 13)]
RECORDS[5] = "5"
START = RECORDS + ["0", "0"]

EQUATION = re.compile(
    r"^(?:(Right|Wrong)(?: again)?\. )?(\d+) (plus|minus|times|divided by) (\d+)$")


class Failure(Exception):
    pass


def say(line):
    print(line, flush=True)


def wait_for(what, condition, patience=PATIENCE):
    """The first true value of condition(), polled until patience runs out."""
    deadline = time.monotonic() + patience
    while True:
        try:
            found = condition()
        except GLib.Error:
            found = None  # an object went away while it was read: ask again
        if found:
            return found
        if time.monotonic() > deadline:
            raise Failure(f"waited {patience:.0f} s for {what}")
        time.sleep(0.02)


def descendants(root):
    yield root
    for i in range(root.get_child_count()):
        child = root.get_child_at_index(i)
        if child is not None:
            yield from descendants(child)


def showing(obj):
    return obj.get_state_set().contains(Atspi.StateType.SHOWING)


def find(root, role, name):
    for obj in descendants(root):
        if obj.get_role_name() == role and obj.get_name() == name and showing(obj):
            return obj
    return None


def focused(root):
    for obj in descendants(root):
        if obj.get_state_set().contains(Atspi.StateType.FOCUSED):
            return obj
    return None


def act(obj, action):
    """Does the named action (press, toggle) on obj, as an assistive tool does."""
    names = [obj.get_action_name(i).lower() for i in range(obj.get_n_actions())]
    if action not in names:
        raise Failure(f"{obj.get_name()!r} offers no {action} action, only {names}")
    obj.do_action(names.index(action))


def type_keys(text):
    """Types on the keyboard, then presses Enter."""
    for character in text:
        Atspi.generate_keyboard_event(ord(character), None, Atspi.KeySynthType.SYM)
    Atspi.generate_keyboard_event(RETURN, None, Atspi.KeySynthType.SYM)


def the_game():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == "Numblaze" and app.get_child_count():
            return app
    return None


def answer_to(first, operation, second):
    a, b = int(first), int(second)
    if operation == "plus":
        return a + b
    if operation == "minus":
        return a - b
    return a * b if operation == "times" else a // b


def choose_pairing(app):
    menu = wait_for("the menu", lambda: find(app, "frame", "Numblaze"))
    for name in ("Subtraction", "Ronald Red"):
        button = wait_for(name, lambda: find(menu, "radio button", name))
        act(button, "toggle")
        wait_for(f"{name} to be selected",
                 lambda: button.get_state_set().contains(Atspi.StateType.CHECKED))
    # The click handlers ran: the record label shows Subtraction against Ronald Red's record.
    wait_for("the record of Subtraction against Ronald Red",
             lambda: find(menu, "label", "Your highest number is 5."))
    say("menu: Subtraction and Ronald Red selected; the record label reads 5")
    act(find(menu, "push button", "Race!"), "press")


def count_down(app):
    race = wait_for("the race window", lambda: find(app, "frame", "Numblaze race"))
    heard = []
    answer_box = None
    while answer_box is None:
        now = wait_for("the countdown", lambda: focused(race))
        if now.get_role_name() == "push button" and now.get_name() in "321":
            if not heard or heard[-1] != now.get_name():
                heard.append(now.get_name())
        elif now.get_role_name() == "text":
            answer_box = now
        time.sleep(0.02)
    if not heard or heard != sorted(heard, reverse=True):
        raise Failure(f"the countdown was heard as {heard}")
    say(f"countdown heard: {', '.join(heard)}")
    return race


def next_news(race, last):
    """The focused answer box once its description is new, or the status button's result."""
    now = focused(race)
    if now is None:
        return None
    if now.get_role_name() == "push button" and now.get_name() in ("You won!!!", "You lost!"):
        return now
    if now.get_role_name() == "text" and now.get_description() not in ("", last):
        return now
    return None


def box_is_empty(box):
    return box.get_text(0, -1) == ""


def race_to_the_finish(race):
    last, expected, rights = None, None, 0
    while True:
        news = wait_for("an equation or the result", lambda: next_news(race, last))
        if news.get_role_name() == "push button":
            return news.get_name(), rights
        last = news.get_description()
        match = EQUATION.match(last)
        if not match:
            raise Failure(f"the answer box said {last!r}")
        verdict, first, operation, second = match.groups()
        if verdict != expected:
            raise Failure(f"after a {expected or 'first'} answer the box said {last!r}")
        right = answer_to(first, operation, second)
        # The first answer is wrong on purpose; the rest are right.
        given = right + 1 if expected is None else right
        expected = "Wrong" if expected is None else "Right"
        rights += expected == "Right"
        say(f"heard {last!r}; typing {given}")
        wait_for("the answer box to be cleared", lambda: box_is_empty(news))
        type_keys(str(given))


def leave(app, proc):
    status = wait_for("the result", lambda: focused(app))
    type_keys("")  # Enter on the status button after the finish returns to the menu
    menu = wait_for("the menu again", lambda: find(app, "frame", "Numblaze"))
    act(wait_for("Exit", lambda: find(menu, "push button", "Exit")), "press")
    try:
        code = proc.wait(timeout=PATIENCE)
    except subprocess.TimeoutExpired:
        raise Failure("the game did not end after Exit") from None
    if code != 0:
        raise Failure(f"the game ended with status {code}")
    return status


def check_records(progress):
    with open(progress, "rb") as file:
        lines = file.read().split(b"\r\n")
    expected = list(START)
    expected[5] = "6"  # the win raised Subtraction against Ronald Red, and nothing else
    expected[12], expected[13] = "1", "2"
    if lines != [line.encode() for line in expected] + [b""]:
        raise Failure(f"Progress.txt holds {lines}, expected {expected}")
    say("Progress.txt: Subtraction against Ronald Red went from 5 to 6")


def main(game_binary):
    folder = tempfile.mkdtemp(prefix="numblaze-reader-")
    game = os.path.join(folder, "numblaze")
    shutil.copy(game_binary, game)
    progress = os.path.join(folder, "Progress.txt")
    with open(progress, "wb") as file:
        file.write("".join(line + "\r\n" for line in START).encode())
    log = open(os.path.join(folder, "game.log"), "wb")
    proc = subprocess.Popen([game], stdout=log, stderr=subprocess.STDOUT)
    try:
        app = wait_for("the game on the accessibility bus", the_game)
        choose_pairing(app)
        race = count_down(app)
        started = time.monotonic()
        result, rights = race_to_the_finish(race)
        say(f"heard {result!r} after one wrong and {rights} right answers, "
            f"{time.monotonic() - started:.1f} s into the race")
        if result != "You won!!!":
            raise Failure(f"the race ended with {result!r}")
        leave(app, proc)
        check_records(progress)
    finally:
        if proc.poll() is None:
            proc.kill()
            proc.wait()
        log.close()
        with open(os.path.join(folder, "game.log"), "rb") as file:
            output = file.read().decode(errors="replace").strip()
        if output:
            say("the game said:\n" + output)
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    try:
        main(sys.argv[1])
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        sys.exit(1)
    say("PASS: a blind player raced and won")
