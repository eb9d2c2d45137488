#!/usr/bin/python3
# SPDX-FileCopyrightText: The Numblaze developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Blind players' races, heard through a real screen reader speaking for real.

Orca speaks through speech-dispatcher and its espeak-ng voice, at Orca's usual rate, into a
private PulseAudio server whose only output is a null sink. speech-dispatcher's log (level 5)
says when each message was queued, began, ended or was cancelled. A listener plays by ear and
keyboard only: it presses a key only once everything it was told has been said to its end, and
answers an equation after thinking THINK seconds (1.5) once the equation has ended.

1. Won against Bobby Blue without extra time: the listener hears the menu's record and its
   hints, goes round the menu by keyboard (each group named once, each option with its place,
   each choice with its record), races Addition against Bobby Blue and wins, and hears the new
   record back on the menu.
2. Won against Patty Purple with extra time: F2 ("Extra time on."), a switch tool's toggle
   action chooses Patty Purple, one wrong answer, then right ones; the win, the record on the
   menu, the Hall of Fame opened and closed with Escape.
3. Lost against Ronald Red, the last Enter at the finish: a switch tool's toggle action chooses
   Subtraction and Ronald Red; the listener answers once, then types its next answer and waits
   until the race is over, pressing Enter the moment the opponent finishes. The race stays, the
   result is heard to its end, and the next Enter goes back to the menu.

In every race: the answer box is named before the countdown, which is said a second a number;
no equation is cut off except by the listener's keys; nothing is said while the listener thinks;
no equation comes after the finish. Each race's transcript (phrase, begin, end, cancelled) and
the time of each answer are printed.

Usage: orca_race.py GAME   (run it with orca-race.sh)
"""

import datetime
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
# The listener thinks this long after an equation has been said, then types.
THINK = 1.5
# Between two keys of an answer.
TYPING = 0.15
# Nothing more is queued this long after the last message ended: the reader is quiet.
QUIET = 0.4
# A key cuts off what the reader says within this time.
CUT = 0.5

EQUATION = re.compile(r"(\d+) (plus|minus|times|divided by) (\d+)\.$")
RESULT = re.compile(r"^You (won|lost)!")
STAMP = re.compile(r"^\[\w+ (\w+ +\d+ \d+:\d+:\d+ \d+) : (\d+)\] speechd: +(.*)$")
QUEUED = re.compile(r"Queueing message \|(.*)\| with priority")
REPLY = re.compile(r"REPLY:\|(\d{3})-(\d+)")
EVENTS = {"701": "begin", "702": "end", "703": "cancel"}


class Failure(Exception):
    pass


def say(line):
    print(line, flush=True)


class Message:
    """One message Orca gave speech-dispatcher, with the moments it was queued, began, ended
    or was cancelled (time.time(), or None)."""

    def __init__(self, number, text, queued):
        self.number, self.text, self.queued = number, text, queued
        self.begin = self.end = self.cancel = None

    def done(self):
        return self.end is not None or self.cancel is not None


class Speech:
    """Follows speech-dispatcher's log as it is written."""

    def __init__(self, log):
        self.log = log
        self.messages = []
        self.by_number = {}
        self.events = []  # (time, what the log said), to show what led to a failure
        self.lock = threading.Lock()
        self.stopped = False
        self.pending = None
        self.early = {}  # message number -> events logged before the number was
        self.last_at = 0.0  # the latest moment logged so far
        threading.Thread(target=self.follow, daemon=True).start()

    def follow(self):
        while not os.path.exists(self.log) and not self.stopped:
            time.sleep(0.01)
        with open(self.log, "rb") as file:
            partial = b""
            while not self.stopped:
                chunk = file.readline()
                if not chunk:
                    time.sleep(0.005)
                    continue
                partial += chunk
                if partial.endswith(b"\n"):
                    self.read(partial.decode(errors="replace").rstrip("\n"))
                    partial = b""

    def read(self, line):
        match = STAMP.match(line)
        if not match:
            return
        at = (datetime.datetime.strptime(match.group(1), "%b %d %H:%M:%S %Y").timestamp() +
              int(match.group(2)) / 1e6)
        # The log takes a line's second and its microseconds from two readings of the clock: a
        # line logged as a second turns may carry the second before, nearly a second early.
        if self.last_at - 1.05 < at < self.last_at - 0.5:
            at += 1.0
        self.last_at = max(self.last_at, at)
        body = match.group(3)
        queued = QUEUED.match(body)
        if queued or REPLY.search(body):
            with self.lock:
                self.events.append((at, body[:120]))
        if queued:
            # Orca sends SSML with a mark before each word.
            self.pending = (re.sub(r"<[^>]*>", "", queued.group(1)).strip(), at)
            return
        reply = REPLY.search(body)
        if not reply:
            return
        code, number = reply.group(1), int(reply.group(2))
        with self.lock:
            if code == "225" and self.pending:
                message = Message(number, *self.pending)
                self.pending = None
                # The voice's thread may tell a message's beginning before the server has
                # logged its number.
                for event, moment in self.early.pop(number, {}).items():
                    setattr(message, event, moment)
                self.messages.append(message)
                self.by_number[number] = message
            elif code in EVENTS and number in self.by_number:
                message = self.by_number[number]
                if getattr(message, EVENTS[code]) is None:
                    setattr(message, EVENTS[code], at)
            elif code in EVENTS:
                self.early.setdefault(number, {}).setdefault(EVENTS[code], at)

    def count(self):
        with self.lock:
            return len(self.messages)

    def since(self, start):
        with self.lock:
            return list(self.messages[start:])

    def wait_for(self, what, test, start, patience=PATIENCE):
        """The first message from index start on that passes test, once it has been said to its
        end (a message cut off and said again counts once it has been said whole)."""
        deadline = time.monotonic() + patience
        while time.monotonic() < deadline:
            for message in self.since(start):
                if test(message.text) and message.end is not None:
                    return message
            time.sleep(0.01)
        raise Failure(f"waited {patience:.0f} s to hear {what} to its end; heard "
                      f"{[m.text for m in self.since(start)]}")

    def quiet(self, patience=PATIENCE):
        """Waits, as a listener does, until everything given to the voice has been said or cut
        off, and nothing more has come for a moment."""
        deadline = time.monotonic() + patience
        while time.monotonic() < deadline:
            messages = self.since(0)
            last = max([m.end or m.cancel or m.queued for m in messages], default=0)
            if all(m.done() for m in messages) and time.time() - last >= QUIET:
                return
            time.sleep(0.02)
        raise Failure("the reader never fell quiet")

    def around(self, moment, seconds=2.0):
        """What the log said around a moment."""
        with self.lock:
            return [f"{at:.3f} {body}" for at, body in self.events if abs(at - moment) < seconds]

    def stop(self):
        self.stopped = True


class Hands:
    """The listener's keyboard; remembers when each key was pressed."""

    def __init__(self):
        self.times = []

    def press(self, keysym):
        self.times.append(time.time())
        Atspi.generate_keyboard_event(keysym, None, Atspi.KeySynthType.SYM)

    def type(self, text, enter=True):
        for character in text:
            self.press(ord(character))
            time.sleep(TYPING)
        if enter:
            self.press(RETURN)

    def cut(self, message):
        """True when a key of the listener's came just before the message was cut off."""
        return any(0 <= message.cancel - t <= CUT for t in self.times)

    def between(self, start, end):
        return [t for t in self.times if start < t < end]


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
        time.sleep(0.02)
    raise Failure(f"waited {patience:.0f} s for {what}")


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


def window(name):
    app = wait_until("the game on the bus", the_game)
    return wait_until(f"the window {name}", lambda: next(
        (app.get_child_at_index(i) for i in range(app.get_child_count())
         if app.get_child_at_index(i).get_name() == name), None))


def act(obj, action):
    """Does the named action on obj, as a switch tool does."""
    names = [obj.get_action_name(i).lower() for i in range(obj.get_n_actions())]
    if action not in names:
        raise Failure(f"{obj.get_name()!r} offers no {action} action, only {names}")
    obj.do_action(names.index(action))


def choose(speech, names_and_records):
    """A switch tool's toggle action chooses each option; each choice is said with its record."""
    menu = window("Numblaze")
    for name, told in names_and_records:
        mark = speech.count()
        act(wait_until(name, lambda: find(menu, "radio button", name)), "toggle")
        speech.wait_for(f"the record after choosing {name}", lambda t: t == told, mark)
    speech.quiet()


class Race:
    """One race by ear, and what was heard in it."""

    def __init__(self, case, speech, hands):
        self.case, self.speech, self.hands = case, speech, hands
        self.start = speech.count()
        self.answers = []  # (equation ended, first key, Enter, next phrase ended)
        self.result = None
        self.finish = None

    def go(self):
        """Race! has the focus: Enter starts the race. Returns the first equation."""
        self.pressed = time.time()
        self.hands.press(RETURN)
        return self.speech.wait_for("the first equation", lambda t: t.startswith("Go! "),
                                    self.start)

    def answer(self, equation, wrong=False, enter=True):
        """Thinks, then types the answer to the equation heard (one too many when wrong)."""
        time.sleep(max(0.0, equation.end + THINK - time.time()))
        first, operation, second = EQUATION.search(equation.text).groups()
        given = answer_to(first, operation, second) + (1 if wrong else 0)
        keys = time.time()
        self.hands.type(str(given), enter=enter)
        return keys

    def next_phrase(self, after):
        return self.speech.wait_for(
            "the next equation or the result",
            lambda t: EQUATION.search(t) or RESULT.match(t), after)

    def turn(self, equation, wrong=False):
        """Answers the equation; returns what it brings, once it has been said."""
        mark = self.speech.count()
        keys = self.answer(equation, wrong=wrong)
        heard = self.next_phrase(mark)
        self.answers.append((equation.end, keys, self.hands.times[-1], heard.end))
        return heard

    def play(self, equation, wrong_first=False):
        """Answers until the race is over; returns the result heard."""
        heard = self.turn(equation, wrong=wrong_first)
        while not RESULT.match(heard.text):
            heard = self.turn(heard)
        self.result = heard
        return heard

    def check(self):
        heard = self.speech.since(self.start)
        self.transcript(heard)
        equations = [m for m in heard if EQUATION.search(m.text)]
        # No equation is cut off, unless by the listener's keys.
        for m in equations:
            if m.cancel is not None and not self.hands.cut(m):
                raise Failure(f"{self.case}: {m.text!r} was cut off, and not by a key")
        # Nothing comes while the listener thinks.
        for ended, keys, _, _ in self.answers:
            began = [m for m in heard if m.begin and ended + 0.05 < m.begin < keys]
            if began:
                say("\n".join(self.speech.around(began[0].begin)))
                raise Failure(f"{self.case}: {began[0].text!r} came "
                              f"{began[0].begin - ended:.2f} s after an equation, while the "
                              "listener was thinking")
        # No equation after the finish.
        if self.result:
            late = [m for m in heard if EQUATION.search(m.text) and m.queued > self.result.queued]
            if late:
                raise Failure(f"{self.case}: {late[0].text!r} was said after the finish")
        self.countdown_in_step(heard)

    def countdown_in_step(self, heard):
        """The answer box is named before the countdown; the numbers and Go! come a second
        apart, with nothing of the reader's between them."""
        texts = [m.text for m in heard]
        try:
            three = texts.index("3.")
            go = next(i for i, t in enumerate(texts) if t.startswith("Go! "))
        except (ValueError, StopIteration):
            raise Failure(f"{self.case}: no countdown heard: {texts}") from None
        if "Answer text." not in texts[:three]:
            raise Failure(f"{self.case}: the answer box was not named before the countdown: "
                          f"{texts[:go + 1]}")
        if texts[three:go] != ["3.", "2.", "1."]:
            raise Failure(f"{self.case}: the countdown was {texts[three:go + 1]}")
        counted = heard[three:go + 1]
        if counted[0].begin < heard[texts.index("Answer text.")].end:
            raise Failure(f"{self.case}: the countdown began over the name of the answer box")
        for before, after in zip(counted, counted[1:]):
            gap = after.begin - before.begin
            if not 0.7 <= gap <= 1.35:
                raise Failure(f"{self.case}: {after.text!r} came {gap:.2f} s after "
                              f"{before.text!r}, not a second")

    def transcript(self, heard):
        origin = self.pressed

        def at(moment):
            return f"{moment - origin:7.2f}" if moment is not None else "      -"

        say(f"--- real speech: {self.case} (seconds from Race!) ---")
        say(" begin     end  cancel  phrase")
        for m in heard:
            say(f"{at(m.begin)} {at(m.end)} {at(m.cancel)}  {m.text}")
        if self.answers:
            say("answer  thinking+typing (equation end to Enter)  listening (Enter to the next "
                "phrase's end)")
            for n, (ended, _, enter, next_end) in enumerate(self.answers, 1):
                say(f"{n:6d}  {enter - ended:6.2f} s  {next_end - enter:6.2f} s")


def start_game(folder, binary, records):
    game = os.path.join(folder, "numblaze")
    shutil.copy(binary, game)
    with open(os.path.join(folder, "Progress.txt"), "wb") as file:
        file.write("".join(line + "\r\n" for line in records).encode())
    log = open(os.path.join(folder, "game.log"), "wb")
    environment = dict(os.environ, XDG_CONFIG_HOME=os.path.join(folder, "config"))
    return subprocess.Popen([game], stdout=log, stderr=subprocess.STDOUT, env=environment), log


def end_game(proc, log, folder):
    act(wait_until("Exit", lambda: find(window("Numblaze"), "push button", "Exit")), "press")
    try:
        code = proc.wait(timeout=PATIENCE)
    except subprocess.TimeoutExpired:
        raise Failure("the game did not end after Exit") from None
    log.close()
    if code != 0:
        with open(os.path.join(folder, "game.log"), "rb") as file:
            say(file.read().decode(errors="replace"))
        raise Failure(f"the game ended with status {code}")


def records_file(folder):
    with open(os.path.join(folder, "Progress.txt"), "rb") as file:
        return file.read().decode().split("\r\n")


def menu_tour(speech, hands):
    """The keyboard goes once round the menu, from Race! back to it. Each group is named once,
    as the focus enters it; each option says where it is in its group; a choice made with the
    arrow keys is followed by its record."""
    case = "the menu by keyboard"
    start = speech.count()
    for key, what, expected in (
            (TAB, "the Hall of Fame button", r"^Hall of Fame push button\.$"),
            (TAB, "the math kinds", r"^1 of 4\.$"),
            (DOWN, "Subtraction's record",
             r"^Subtraction against Bobby Blue: your highest number is 5\.$"),
            (UP, "Addition's record", r"^Addition against Bobby Blue: your highest number is 5\.$"),
            (TAB, "the Exit button", r"^Exit push button\.$"),
            (TAB, "the opponents", r"^1 of 3\.$"),
            (TAB, "the Race! button", r"^Race! push button\.$")):
        speech.quiet()
        mark = speech.count()
        hands.press(key)
        speech.wait_for(what, lambda t: re.search(expected, t), mark)
    speech.quiet()
    heard = [m.text for m in speech.since(start)]
    in_order(heard, [
        r"^Hall of Fame push button\.$", r"^Math panel\.$", r"^Addition\.$", r"^1 of 4\.$",
        r"^Subtraction\.$", r"^2 of 4\.$", r"^Subtraction against Bobby Blue: ", r"^Addition\.$",
        r"^1 of 4\.$", r"^Addition against Bobby Blue: ", r"^Exit push button\.$",
        r"^Race against:", r"^Bobby Blue\.$", r"^1 of 3\.$", r"^Race! push button\.$"], case)
    for group in ("Math", "Race against"):
        named = [t for t in heard if re.match(rf"^{group}\b", t)]
        if len(named) != 1:
            raise Failure(f"{case}: the group {group!r} was named {len(named)} times: {heard}")
    say(f"PASS: {case}")


def in_order(heard, expected, case):
    """Each expected pattern is heard, in this order."""
    at = 0
    for pattern in expected:
        while at < len(heard) and not re.search(pattern, heard[at]):
            at += 1
        if at == len(heard):
            raise Failure(f"{case}: {pattern!r} was not heard in order; heard {heard}")
        at += 1


def opponent_place(name):
    """Where the opponent's ball is at the end of a race, as it tells a reader who asks."""
    ball = find(window("Numblaze race"), "image", name)
    say(f"{name} had come {ball.get_description() if ball else 'nowhere'}")


def back_to_the_menu(speech, hands, record):
    """Enter after the result: the menu says the record."""
    speech.quiet()
    mark = speech.count()
    hands.press(RETURN)
    speech.wait_for("the record on the menu", lambda t: t == record, mark)
    speech.quiet()


def two_wins(binary, speech, hands):
    folder = tempfile.mkdtemp(prefix="numblaze-orca-won-")
    proc, log = start_game(folder, binary, ["5"] * 12 + ["0", "0"])
    try:
        start = speech.count()
        speech.wait_for("the record", lambda t: t == "Addition against Bobby Blue: your "
                        "highest number is 5.", start)
        speech.wait_for("how to get extra time", lambda t: "press F2" in t, start)
        speech.wait_for("how to hear the standing", lambda t: "F3" in t, start)
        menu_tour(speech, hands)

        case = "won against Bobby Blue without extra time, thinking 1.5 s"
        race = Race(case, speech, hands)
        won = race.play(race.go())
        if won.text != "You won! Your highest number for Addition against Bobby Blue is now 6.":
            raise Failure(f"{case}: the race ended with {won.text!r}")
        race.check()
        opponent_place("Bobby Blue")
        back_to_the_menu(speech, hands, "Addition against Bobby Blue: your highest number is 6.")
        say(f"PASS: {case}")

        case = "won against Patty Purple with extra time, one wrong answer"
        mark = speech.count()
        hands.press(F2)
        speech.wait_for("extra time switched on", lambda t: t == "Extra time on.", mark)
        speech.quiet()
        choose(speech, [("Patty Purple",
                         "Addition against Patty Purple: your highest number is 5.")])
        race = Race(case, speech, hands)
        won = race.play(race.go(), wrong_first=True)
        if won.text != "You won! Your highest number for Addition against Patty Purple is now 6.":
            raise Failure(f"{case}: the race ended with {won.text!r}")
        race.check()
        in_order([m.text for m in speech.since(race.start)],
                 [r"^Go! ", r"^Wrong\. ", r"^You won! "], case)
        opponent_place("Patty Purple")
        back_to_the_menu(speech, hands, "Addition against Patty Purple: your highest number is 6.")
        say(f"PASS: {case}")

        case = "the Hall of Fame"
        mark = speech.count()
        hands.press(TAB)
        speech.wait_for("the Hall of Fame button", lambda t: t == "Hall of Fame push button.",
                        mark)
        speech.quiet()
        hands.press(RETURN)
        opened = speech.count()
        wait_until("the Hall of Fame said", lambda: any(
            "Hall of Fame" in m.text and "dialog" in m.text and m.begin
            for m in speech.since(mark)))
        time.sleep(1.0)
        hands.press(ESCAPE)
        speech.wait_for("the menu again", lambda t: t.startswith("Addition against Patty "
                        "Purple: "), opened)
        speech.quiet()
        say(f"PASS: {case}")

        end_game(proc, log, folder)
        if records_file(folder)[0:2] != ["6", "6"]:
            raise Failure(f"the wins are not in Progress.txt: {records_file(folder)}")
        settings = os.path.join(folder, "config", "Numblaze", "Numblaze.conf")
        with open(settings) as file:
            if "extraTime=true" not in file.read():
                raise Failure(f"F2's choice was not kept in {settings}")
    finally:
        clean_up(proc, folder)


def lost_at_the_finish(binary, speech, hands):
    case = "lost against Ronald Red, the last Enter at the finish"
    folder = tempfile.mkdtemp(prefix="numblaze-orca-lost-")
    records = ["5"] * 12 + ["0", "0"]
    records[5] = "4"
    proc, log = start_game(folder, binary, records)
    try:
        start = speech.count()
        speech.wait_for("the record", lambda t: t == "Addition against Bobby Blue: your "
                        "highest number is 5.", start)
        speech.quiet()
        choose(speech, [("Subtraction", "Subtraction against Bobby Blue: your highest number "
                         "is 5."), ("Ronald Red", "Subtraction against Ronald Red: your "
                                    "highest number is 4.")])
        race = Race(case, speech, hands)
        equation = race.turn(race.go())
        if not re.match(r"^Ronald Red is ahead\. \d+ minus \d+\.$", equation.text):
            raise Failure(f"{case}: after the first answer the listener heard {equation.text!r}")
        # The next answer is typed, and Enter waits for the opponent's finish.
        race.answer(equation, enter=False)
        status = find(window("Numblaze race"), "push button", "Press ENTER to send your answer!")
        if status is None:
            raise Failure(f"{case}: no status button while racing")
        wait_until("the finish", lambda: status.get_name() == "Back to the menu", PATIENCE)
        race.finish = time.time()
        hands.press(RETURN)
        lost = speech.wait_for("the result", lambda t: RESULT.match(t), race.start)
        race.result = lost
        if lost.text != "You lost! Ronald Red got there first.":
            raise Failure(f"{case}: the race ended with {lost.text!r}")
        if lost.end < hands.times[-1]:
            raise Failure(f"{case}: the result ended before the last Enter, not heard after it")
        if window("Numblaze race") is None:
            raise Failure(f"{case}: the Enter at the finish left the race")
        race.check()
        say(f"the last Enter came {hands.times[-1] - race.finish:.2f} s after the finish; the "
            f"result was heard to its end {lost.end - hands.times[-1]:.2f} s after it")
        back_to_the_menu(speech, hands, "Subtraction against Ronald Red: your highest number "
                         "is 4.")
        end_game(proc, log, folder)
        say(f"PASS: {case}")
    finally:
        clean_up(proc, folder)


def clean_up(proc, folder):
    """Ends a game a failed case left running, and removes its folder."""
    if proc.poll() is None:
        proc.kill()
        proc.wait()
    shutil.rmtree(folder, ignore_errors=True)


class Services:
    """A private audio server, speech-dispatcher with its espeak-ng voice logging each message,
    and Orca speaking through them; all in a folder of their own, ended with it."""

    def __init__(self):
        self.home = tempfile.mkdtemp(prefix="numblaze-orca-home-")
        self.processes = []
        runtime = os.path.join(self.home, "runtime")
        os.mkdir(runtime, 0o700)
        self.environment = dict(
            os.environ, HOME=self.home, XDG_RUNTIME_DIR=runtime,
            XDG_CONFIG_HOME=os.path.join(self.home, "config"),
            XDG_DATA_HOME=os.path.join(self.home, "data"))
        self.environment.pop("PULSE_SERVER", None)
        self.log = os.path.join(self.home, "speech-dispatcher.log")

    def start(self, command, what, ready):
        process = subprocess.Popen(command, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   env=self.environment, start_new_session=True)
        self.processes.append(process)
        deadline = time.monotonic() + PATIENCE
        while not ready():
            if process.poll() is not None or time.monotonic() > deadline:
                raise Failure(f"{what} did not start")
            time.sleep(0.05)

    def __enter__(self):
        socket = os.path.join(self.environment["XDG_RUNTIME_DIR"], "native")
        self.start(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                    "--use-pid-file=no", "--load=module-null-sink",
                    f"--load=module-native-protocol-unix auth-anonymous=1 socket={socket}"],
                   "PulseAudio", lambda: os.path.exists(socket))
        self.environment["PULSE_SERVER"] = f"unix:{socket}"
        configuration = os.path.join(self.home, "speech-dispatcher")
        shutil.copytree("/etc/speech-dispatcher", configuration)
        with open(os.path.join(configuration, "speechd.conf"), "a") as file:
            file.write('\nLogLevel 5\nAudioOutputMethod "pulse"\nDefaultModule espeak-ng\n')
        speechd = os.path.join(self.environment["XDG_RUNTIME_DIR"], "speechd.sock")
        self.start(["speech-dispatcher", "--run-single", "--log-level", "5", "--log-dir",
                    self.home, "--config-dir", configuration, "--communication-method",
                    "unix_socket", "--socket-path", speechd, "--timeout", "0"],
                   "speech-dispatcher", lambda: os.path.exists(speechd))
        self.environment["SPEECHD_ADDRESS"] = f"unix_socket:{speechd}"
        speech = Speech(self.log)
        self.start(["orca"], "Orca", lambda: any(m.text == "Screen reader on." and m.end
                                                  for m in speech.since(0)))
        return speech

    def __exit__(self, *_):
        for process in reversed(self.processes):
            if process.poll() is None:
                os.killpg(process.pid, 15)
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    os.killpg(process.pid, 9)
                    process.wait()
        keep = os.environ.get("NUMBLAZE_SPEECH_LOG")
        if keep and os.path.exists(self.log):
            shutil.copy(self.log, keep)
        shutil.rmtree(self.home, ignore_errors=True)


def main(binary):
    began = time.monotonic()
    services = Services()
    with services as speech:
        try:
            hands = Hands()
            # Games started from here find the voice's services as Orca does.
            os.environ.update(services.environment)
            lost_at_the_finish(binary, speech, hands)
            two_wins(binary, speech, hands)
        finally:
            speech.stop()
    say(f"the races by ear took {time.monotonic() - began:.0f} s")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    try:
        main(sys.argv[1])
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        sys.exit(1)
    say("PASS: blind players raced by ear with a real Orca speaking")
