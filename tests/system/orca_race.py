#!/usr/bin/python3
# SPDX-FileCopyrightText: The Numblaze developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Blind players' races, heard through a real screen reader.

Orca runs with its speech off and its debug log on a terminal, so each phrase it would say is
read from its "SPEECH OUTPUT" line the moment it is spoken. A listener plays only by ear and by
keyboard: it answers the equations it heard, after hearing each phrase to its end.

1. A won race: the listener hears the menu's record and the hint about extra time, goes round
   the menu by keyboard (each group named once as it is entered, each option with its place in
   the group, each choice with its record), presses F2,
   hears "Extra time on.", races Addition against Bobby Blue (one wrong answer, then right ones),
   hears the win with the new record, goes back to the menu and hears the record there, opens
   the Hall of Fame and closes it with Escape.
2. A lost race with the focus on Stop: a switch tool's toggle action chooses Subtraction and
   Ronald Red (each choice is said with its record); the listener races, moves
   the focus to Stop during the countdown and types nothing more; it hears the countdown, the
   first equation, that Ronald Red is ahead and near the finish, and the loss.

In both, nothing follows an equation within 2 s unless the listener typed, no bare percentage
is heard, and the phrases come in the expected order. Each transcript is printed.

Usage: orca_race.py GAME   (run it with reader-session.sh; NUMBLAZE_ORCA_LOG=FILE keeps Orca's
whole log in FILE)
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

PATIENCE = 60.0
# Keysyms of the keys the listener presses.
RETURN, ESCAPE, TAB, F2, UP, DOWN = 0xFF0D, 0xFF1B, 0xFF09, 0xFFBF, 0xFF52, 0xFF54
# A listener answers this long after a phrase has been said to its end.
REACTION = 0.6
# Nothing may follow an equation within this time unless the listener typed.
QUIET = 2.0

SPEECH = re.compile(r"SPEECH OUTPUT: '(.*)'(?:\{.*\})?\s*$")
EQUATION = re.compile(r"(\d+) (plus|minus|times|divided by) (\d+)\.$")
PERCENT = re.compile(r"\d+ ?(percent|%)")


class Failure(Exception):
    pass


def say(line):
    print(line, flush=True)


def speaking_time(phrase):
    """About how long a reader takes to say a phrase at its usual rate, in seconds."""
    stops = phrase.count(".") + phrase.count("!")
    return (300 + 65 * len(phrase) + 150 * stops) / 1000.0


class Ear:
    """Follows Orca's log as it is written: what was said, and when it was heard."""

    def __init__(self, log):
        self.log = log
        self.heard = []  # (monotonic time, phrase)
        self.lock = threading.Lock()
        self.stopped = False
        self.thread = threading.Thread(target=self.follow, daemon=True)
        self.thread.start()

    def follow(self):
        while not os.path.exists(self.log) and not self.stopped:
            time.sleep(0.01)
        with open(self.log, "rb") as file:
            pending = b""
            while not self.stopped:
                chunk = file.readline()
                if not chunk:
                    time.sleep(0.005)
                    continue
                pending += chunk
                if not pending.endswith(b"\n"):
                    continue
                line = pending.decode(errors="replace").rstrip("\r\n")
                pending = b""
                match = SPEECH.search(line)
                if match:
                    with self.lock:
                        self.heard.append((time.monotonic(), match.group(1)))

    def count(self):
        with self.lock:
            return len(self.heard)

    def since(self, start):
        with self.lock:
            return list(self.heard[start:])

    def wait_for(self, what, test, start, patience=PATIENCE):
        """The index and phrase of the first phrase from index start on that passes test."""
        deadline = time.monotonic() + patience
        while time.monotonic() < deadline:
            for i, (_, phrase) in enumerate(self.since(start)):
                if test(phrase):
                    return start + i, phrase
            time.sleep(0.01)
        raise Failure(f"waited {patience:.0f} s to hear {what}; heard {self.transcript(start)}")

    def transcript(self, start=0):
        return [phrase for _, phrase in self.since(start)]

    def stop(self):
        self.stopped = True


class Hands:
    """The listener's keyboard; remembers when it was used."""

    def __init__(self):
        self.times = []

    def press(self, keysym):
        self.times.append(time.monotonic())
        Atspi.generate_keyboard_event(keysym, None, Atspi.KeySynthType.SYM)

    def type(self, text):
        for character in text:
            self.press(ord(character))
        self.press(RETURN)

    def typed_between(self, start, end):
        return any(start <= t <= end for t in self.times)


def answer_to(first, operation, second):
    a, b = int(first), int(second)
    if operation == "plus":
        return a + b
    if operation == "minus":
        return a - b
    return a * b if operation == "times" else a // b


def the_game():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == "Numblaze" and app.get_child_count():
            return app
    return None


def wait_until(what, condition, patience=PATIENCE):
    deadline = time.monotonic() + patience
    while time.monotonic() < deadline:
        try:
            found = condition()
        except GLib.Error:
            found = None
        if found:
            return found
        time.sleep(0.05)
    raise Failure(f"waited {patience:.0f} s for {what}")


def check_transcript(ear, hands, start, case):
    """No bare percentage; nothing within QUIET after an equation unless the listener typed."""
    heard = ear.since(start)
    say(f"--- Orca transcript: {case} ---")
    origin = heard[0][0] if heard else 0
    for at, phrase in heard:
        say(f"{at - origin:7.2f} s  {phrase}")
    for _, phrase in heard:
        if PERCENT.search(phrase):
            raise Failure(f"{case}: a bare percentage was heard: {phrase!r}")
    for (at, phrase), (then, following) in zip(heard, heard[1:]):
        if EQUATION.search(phrase) and then - at < QUIET and not hands.typed_between(at, then):
            raise Failure(f"{case}: {following!r} came {then - at:.2f} s after {phrase!r} "
                          "and the listener had not typed")


def in_order(ear, start, expected, case):
    """Each expected pattern is heard, in this order."""
    phrases = ear.transcript(start)
    at = 0
    for pattern in expected:
        while at < len(phrases) and not re.search(pattern, phrases[at]):
            at += 1
        if at == len(phrases):
            raise Failure(f"{case}: {pattern!r} was not heard in order; heard {phrases}")
        at += 1


def start_game(folder, binary, records, arguments=()):
    game = os.path.join(folder, "numblaze")
    shutil.copy(binary, game)
    with open(os.path.join(folder, "Progress.txt"), "wb") as file:
        file.write("".join(line + "\r\n" for line in records).encode())
    log = open(os.path.join(folder, "game.log"), "wb")
    environment = dict(os.environ, XDG_CONFIG_HOME=os.path.join(folder, "config"))
    proc = subprocess.Popen([game, *arguments], stdout=log, stderr=subprocess.STDOUT,
                            env=environment)
    return proc, log


def end_game(proc, log, folder):
    app = wait_until("the game on the bus", the_game)
    menu = wait_until("the menu", lambda: next(
        (app.get_child_at_index(i) for i in range(app.get_child_count())
         if app.get_child_at_index(i).get_name() == "Numblaze"), None))
    exit_button = wait_until("Exit", lambda: find(menu, "push button", "Exit"))
    act(exit_button, "press")
    try:
        code = proc.wait(timeout=PATIENCE)
    except subprocess.TimeoutExpired:
        raise Failure("the game did not end after Exit") from None
    log.close()
    if code != 0:
        with open(os.path.join(folder, "game.log"), "rb") as file:
            say(file.read().decode(errors="replace"))
        raise Failure(f"the game ended with status {code}")


def clean_up(proc, folder):
    """Ends a game a failed case left running, and removes its folder."""
    if proc.poll() is None:
        proc.kill()
        proc.wait()
    shutil.rmtree(folder, ignore_errors=True)


def act(obj, action):
    """Does the named action on obj, as an assistive tool does."""
    names = [obj.get_action_name(i).lower() for i in range(obj.get_n_actions())]
    if action not in names:
        raise Failure(f"{obj.get_name()!r} offers no {action} action, only {names}")
    obj.do_action(names.index(action))


def find(root, role, name):
    if root.get_role_name() == role and root.get_name() == name:
        return root
    for i in range(root.get_child_count()):
        child = root.get_child_at_index(i)
        if child is not None:
            found = find(child, role, name)
            if found:
                return found
    return None


def records_file(folder):
    with open(os.path.join(folder, "Progress.txt"), "rb") as file:
        return file.read().decode().split("\r\n")


def hear_out(ear):
    """Waits, as a listener does, until the last thing heard has been said to its end."""
    end = last = 0.0
    for at, phrase in ear.since(0):
        # Each phrase cuts off the one before, unless both are parts of one utterance.
        end = (end if at - last < 0.05 else at) + speaking_time(phrase)
        last = at
    time.sleep(max(0.0, end + REACTION - time.monotonic()))


def menu_tour(ear, hands):
    """The keyboard goes once round the menu, from Race! back to it. Each group is named once,
    as the focus enters it; each option says where it is in its group; a choice made with the
    arrow keys is followed by its record, after the reader has named the option."""
    case = "the menu by keyboard"
    start = ear.count()
    for key, what, expected in (
            (TAB, "the Hall of Fame button", r"^Hall of Fame push button\.$"),
            (TAB, "the math kinds", r"^1 of 4\.$"),
            (DOWN, "Subtraction's record",
             r"^Subtraction against Bobby Blue: your highest number is 5\.$"),
            (UP, "Addition's record", r"^Addition against Bobby Blue: your highest number is 5\.$"),
            (TAB, "the Exit button", r"^Exit push button\.$"),
            (TAB, "the opponents", r"^1 of 3\.$"),
            (TAB, "the Race! button", r"^Race! push button\.$")):
        hear_out(ear)
        mark = ear.count()
        hands.press(key)
        ear.wait_for(what, lambda p: re.search(expected, p), mark)
    in_order(ear, start, [
        r"^Hall of Fame push button\.$", r"^Math panel\.$", r"^Addition\.$", r"^1 of 4\.$",
        r"^Subtraction\.$", r"^2 of 4\.$", r"^Subtraction against Bobby Blue: ", r"^Addition\.$",
        r"^1 of 4\.$", r"^Addition against Bobby Blue: ", r"^Exit push button\.$",
        r"^Race against:", r"^Bobby Blue\.$", r"^1 of 3\.$", r"^Race! push button\.$"], case)
    heard = ear.transcript(start)
    for group in ("Math", "Race against"):
        named = [p for p in heard if re.match(rf"^{group}\b", p)]
        if len(named) != 1:
            raise Failure(f"{case}: the group {group!r} was named {len(named)} times: {heard}")


def won_race(binary, ear, hands):
    case = "a won race (Addition against Bobby Blue, extra time by F2)"
    folder = tempfile.mkdtemp(prefix="numblaze-orca-won-")
    records = ["5"] * 12 + ["0", "0"]
    start = ear.count()
    proc, log = start_game(folder, binary, records)
    try:
        ear.wait_for("the menu", lambda p: p == "Race! push button.", start)
        ear.wait_for("the record", lambda p: p == "Addition against Bobby Blue: your highest "
                     "number is 5.", start)
        ear.wait_for("how to get extra time", lambda p: "press F2" in p, start)
        menu_tour(ear, hands)
        hear_out(ear)
        mark = ear.count()
        hands.press(F2)
        ear.wait_for("extra time switched on", lambda p: p == "Extra time on.", mark)
        hear_out(ear)
        hands.press(RETURN)  # Race!
        index, phrase = ear.wait_for("the first equation", lambda p: p.startswith("Go! "), mark)
        wrong_given = False
        while True:
            first, operation, second = EQUATION.search(phrase).groups()
            right = answer_to(first, operation, second)
            given = right if wrong_given else right + 1
            wrong_given = True
            heard_at = ear.since(index)[0][0]
            time.sleep(max(0.0, heard_at + speaking_time(phrase) + REACTION - time.monotonic()))
            hands.type(str(given))
            index, phrase = ear.wait_for(
                "a verdict or the result",
                lambda p: EQUATION.search(p) or p.startswith("You won!") or
                p.startswith("You lost!"), index + 1)
            if not EQUATION.search(phrase):
                break
        if not phrase.startswith("You won!"):
            raise Failure(f"{case}: the race ended with {phrase!r}")
        if phrase != "You won! Your highest number for Addition against Bobby Blue is now 6.":
            raise Failure(f"{case}: the result was {phrase!r}")
        hear_out(ear)
        back = ear.count()
        hands.press(RETURN)  # back to the menu
        ear.wait_for("the record on the menu", lambda p: p == "Addition against Bobby Blue: "
                     "your highest number is 6.", back)
        hear_out(ear)
        hands.press(TAB)
        ear.wait_for("the Hall of Fame button", lambda p: p == "Hall of Fame push button.", back)
        hear_out(ear)
        hands.press(RETURN)
        fame = ear.count()
        ear.wait_for("the Hall of Fame", lambda p: "Hall of Fame" in p and "dialog" in p, back)
        time.sleep(1.0)
        hands.press(ESCAPE)
        ear.wait_for("the menu again", lambda p: p.startswith("Addition against Bobby Blue: "),
                     fame)
        check_transcript(ear, hands, start, case)
        in_order(ear, start, [
            r"^Addition against Bobby Blue: your highest number is 5\.$", r"press F2",
            r"^Extra time on\.$", r"^3\.?$", r"^2\.?$", r"^1\.?$", r"^Go! ", r"^Wrong\. ",
            r"^Right\. You 1, Bobby Blue \d+\. ", r"^You won! ",
            r"^Addition against Bobby Blue: your highest number is 6\.$",
            r"Hall of Fame", r"^Addition against Bobby Blue: your highest number is 6\.$"],
            case)
        end_game(proc, log, folder)
        if records_file(folder)[0] != "6":
            raise Failure(f"{case}: Progress.txt holds {records_file(folder)}")
        settings = os.path.join(folder, "config", "Numblaze", "Numblaze.conf")
        with open(settings) as file:
            if "extraTime=true" not in file.read():
                raise Failure(f"{case}: F2's choice was not kept in {settings}")
        say(f"PASS: {case}")
    finally:
        clean_up(proc, folder)


def lost_race(binary, ear, hands):
    case = "a lost race with the focus on Stop (Subtraction against Ronald Red)"
    folder = tempfile.mkdtemp(prefix="numblaze-orca-lost-")
    records = ["5"] * 12 + ["0", "0"]
    records[5] = "4"
    start = ear.count()
    proc, log = start_game(folder, binary, records)
    try:
        ear.wait_for("the record", lambda p: p == "Addition against Bobby Blue: your "
                     "highest number is 5.", start)
        # A switch tool's toggle action chooses the pairing; each choice is said.
        app = wait_until("the game on the bus", the_game)
        for name, told in (("Subtraction", "Subtraction against Bobby Blue: your highest "
                            "number is 5."), ("Ronald Red", "Subtraction against Ronald Red: "
                                              "your highest number is 4.")):
            act(wait_until(name, lambda: find(app, "radio button", name)), "toggle")
            ear.wait_for(f"the record after choosing {name}", lambda p: p == told, start)
        mark = ear.count()
        hands.press(RETURN)  # Race!
        ear.wait_for("the countdown", lambda p: p in ("3", "3."), mark)
        hands.press(TAB)
        ear.wait_for("the Stop button", lambda p: p == "Stop push button.", mark)
        ear.wait_for("the result", lambda p: p.startswith("You lost!") or
                     p.startswith("You won!"), mark)
        time.sleep(0.5)
        check_transcript(ear, hands, start, case)
        in_order(ear, start, [
            r"^Addition against Bobby Blue: your highest number is 5\.$",
            r"^Subtraction against Bobby Blue: your highest number is 5\.$",
            r"^Subtraction against Ronald Red: your highest number is 4\.$", r"^3\.?$", r"^2\.?$",
            r"^1\.?$", r"^Go! \d+ minus \d+\.$", r"^Ronald Red is ahead\.$",
            r"^Ronald Red is near the finish\.$", r"^You lost! Ronald Red got there first\.$"],
            case)
        hear_out(ear)
        hands.press(RETURN)
        ear.wait_for("the record on the menu", lambda p: p == "Subtraction against Ronald "
                     "Red: your highest number is 4.", ear.count() - 1)
        end_game(proc, log, folder)
        say(f"PASS: {case}")
    finally:
        clean_up(proc, folder)


def orcas():
    """The Orca processes of this user: Orca will not start beside another one."""
    found = subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                           capture_output=True, text=True)
    return found.stdout.split()


def main(binary):
    # An Orca of an earlier run may still be on its way out.
    deadline = time.monotonic() + 10
    while orcas() and time.monotonic() < deadline:
        time.sleep(0.2)
    if orcas():
        raise Failure(f"another Orca of this user is running (pid {', '.join(orcas())}); "
                      "this test needs its own")
    home = tempfile.mkdtemp(prefix="numblaze-orca-home-")
    log = os.path.join(home, "orca.log")
    environment = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                       XDG_DATA_HOME=os.path.join(home, "data"))
    # Orca writes its log to a terminal line by line as it speaks; script gives it one.
    orca = subprocess.Popen(
        ["script", "-qfec", "orca --debug-file=/dev/tty --disable=speech", log],
        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
        env=environment, start_new_session=True)
    ear = Ear(log)
    hands = Hands()
    try:
        deadline = time.monotonic() + PATIENCE
        while True:
            if os.path.exists(log):
                with open(log, "rb") as file:
                    if b"ORCA: Startup complete" in file.read():
                        break
            if orca.poll() is not None or time.monotonic() > deadline:
                raise Failure("Orca did not start")
            time.sleep(0.1)
        time.sleep(1.0)
        lost_race(binary, ear, hands)
        won_race(binary, ear, hands)
    finally:
        ear.stop()
        if orca.poll() is None:
            os.killpg(orca.pid, 15)
            try:
                orca.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(orca.pid, 9)
        keep = os.environ.get("NUMBLAZE_ORCA_LOG")
        if keep:
            shutil.copy(log, keep)
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    try:
        main(sys.argv[1])
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        sys.exit(1)
    say("PASS: blind players raced by ear with a real Orca")
