#!/usr/bin/python3
"""Works Quillon's window or its web page from the keyboard under the screen reader Orca and
checks what Orca speaks, line by line, against a scenario file:

    listen.py --window build/app/quillon tests/screen_reader/window.txt
    listen.py --page SITE_DIR --browser /usr/bin/chromium tests/screen_reader/page.txt

It runs inside the X display, D-Bus session and private HOME that .ci/screen-reader.sh sets up,
starts Orca there, then the window or the browser, and carries out the scenario's steps, one a
line:

    start            open the window, or the page in the browser, and give it the keyboard
    focus            give the keyboard back to the window, as a window manager would when a
                     dialog closes (the display has none)
    key NAME...      press keys, one after the other (xdotool's names: Tab, shift+Tab, Return,
                     F10, alt+Down, ctrl+a)
    type TEXT        type TEXT
    click NAME       click the middle of the showing object called NAME in the window (a
                     menu's title), found where it is through the accessibility bus
    hear TEXT        wait until Orca has spoken TEXT after the last action and after what the
                     previous "hear" matched. What Orca speaks is taken as one stream, its lines
                     joined by spaces, however it cut them; TEXT must stand whole in it (not
                     "3." in "3.5", nor "0" in "10")
    never TEXT       TEXT has not been spoken since the last action

Blank lines and lines starting with "#" are comments. Before each action, Orca is let finish
what it says of the last one. Everything it speaks is printed after the action it follows;
every expectation not met is named with its place in the file, and the run fails.
"""
import argparse
import functools
import http.server
import os
import re
import subprocess
import sys
import threading
import time
import tty

# How long one expected line may take to be spoken: Orca, the window and the browser share two
# busy cores with the rest of CI. A line comes within a second or two; under a second such
# session at once, Orca once took 11 s from a key to its words.
HEAR_SECONDS = 30.0
# How long the keys of an action are waited for, to reach Orca.
KEYS_SECONDS = 10.0
# Once a hear was missed, how long each later one is waited for.
MISSED_SECONDS = 3.0
# Before each action, Orca is given time to finish speaking of the last one: it has when it has
# said nothing for QUIET_SECONDS (at most SETTLE_SECONDS), so that each line is shown after the
# action it belongs to and no key interrupts what Orca was about to say.
QUIET_SECONDS = 0.5
SETTLE_SECONDS = 5.0
# Orca's own first words once it listens to the accessibility bus.
ORCA_READY = "Screen reader on."

# Each key press Orca takes in, and the modifiers among them.
KEY_PRESS = re.compile(r"vvvvv PROCESS ATSPI_KEY_PRESSED_EVENT: '(.*)' \(\d+\) vvvvv")
MODIFIER = re.compile(r"(Shift|Control|Alt|Meta|Super|Hyper)_[LR]|ISO_Level3_Shift")
# "SPEECH OUTPUT: 'text'", followed by the voice's name or its settings.
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\S+)?\s*(?:\{.*\}|ACSS\b.*)?$")


class Speech:
    """Orca's spoken lines, read from its debug log as it writes it. Orca writes the log to a
    file with the file's own buffering, so that a line may wait there for seconds; on a
    terminal it writes each line at once. So the log goes to a pseudo-terminal, whose every line
    this reads as it comes and copies into LOG_PATH."""

    def __init__(self, log_path):
        self._master, self._slave = os.openpty()
        tty.setraw(self._slave)  # the lines as written, without carriage returns added
        self.device = os.ttyname(self._slave)
        self.lines = []
        # For each key press Orca has taken in (modifiers left out), how many lines it had
        # spoken by then.
        self.key_marks = []
        self._last_spoken = time.monotonic()
        self._changed = threading.Condition()
        self._log = open(log_path, "wb")
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        pending = b""
        while True:
            try:
                chunk = os.read(self._master, 65536)
            except OSError:
                return
            if not chunk:
                return
            self._log.write(chunk)
            self._log.flush()
            pending += chunk
            *complete, pending = pending.split(b"\n")
            with self._changed:
                for line in (raw.decode("utf-8", "replace") for raw in complete):
                    if match := SPOKEN.search(line):
                        self.lines.append(match.group(1))
                        self._last_spoken = time.monotonic()
                    elif ((match := KEY_PRESS.search(line))
                          and not MODIFIER.fullmatch(match.group(1))):
                        self.key_marks.append(len(self.lines))
                self._changed.notify_all()

    def wait(self, predicate, seconds):
        """Waits until predicate(lines) is true or SECONDS pass; returns its last value."""
        deadline = time.monotonic() + seconds
        with self._changed:
            while True:
                value = predicate(self.lines)
                remaining = deadline - time.monotonic()
                if value or remaining <= 0:
                    return value
                self._changed.wait(remaining)

    def settle(self, quiet, seconds):
        """Waits until nothing more has been spoken for QUIET seconds, at most SECONDS."""
        deadline = time.monotonic() + seconds
        with self._changed:
            while True:
                now = time.monotonic()
                silent = now - self._last_spoken
                if silent >= quiet or now >= deadline:
                    return
                self._changed.wait(min(quiet - silent, deadline - now))


def read_scenario(path):
    steps = []
    try:
        file = open(path, encoding="utf-8")
    except OSError as error:
        sys.exit(f"{path}: cannot read the scenario: {error.strerror}")
    with file:
        for number, raw in enumerate(file, 1):
            line = raw.strip()
            if not line or line.startswith("#"):
                continue
            verb, _, argument = line.partition(" ")
            if verb not in ("start", "focus", "key", "type", "click", "hear", "never"):
                sys.exit(f"{path}:{number}: unknown step {verb!r}")
            if (verb in ("start", "focus")) != (argument == ""):
                sys.exit(f"{path}:{number}: {verb!r} "
                         + ("takes nothing" if argument else "needs a text"))
            steps.append((number, verb, argument))
    return steps


def xdotool(*arguments):
    return subprocess.run(["xdotool", *arguments], check=True, capture_output=True,
                          text=True).stdout


def focus_window(name_pattern, seconds=60.0):
    """Waits for a window whose name matches and gives it the keyboard (there is no window
    manager on the display)."""
    deadline = time.monotonic() + seconds
    while True:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name_pattern],
                               capture_output=True, text=True).stdout.split()
        if found:
            xdotool("windowfocus", "--sync", found[0])
            return found[0]
        if time.monotonic() > deadline:
            raise SystemExit(f"no window named {name_pattern} appeared within {seconds:g} s")
        time.sleep(0.1)


def click(name, seconds=10.0):
    """Clicks the middle of the showing object called NAME in Quillon's window, as a mouse
    user would; where it is comes from the accessibility bus."""
    import pyatspi  # only the window's scenario clicks

    def showing(node, depth=0):
        if node is None:
            return None
        if node.name == name and node.getState().contains(pyatspi.STATE_SHOWING):
            return node
        for index in range(node.childCount if depth < 8 else 0):
            if found := showing(node.getChildAtIndex(index), depth + 1):
                return found
        return None

    deadline = time.monotonic() + seconds
    while True:
        desktop = pyatspi.Registry.getDesktop(0)
        apps = (desktop.getChildAtIndex(index) for index in range(desktop.childCount))
        found = next((node for app in apps if app is not None and app.name == "Quillon"
                      if (node := showing(app))), None)
        if found:
            break
        if time.monotonic() > deadline:
            raise SystemExit(f'nothing called "{name}" showing in the window within {seconds:g} s')
        time.sleep(0.1)
    x, y, width, height = found.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", "--sync", str(x + width // 2), str(y + height // 2), "click", "1")


def serve(root):
    """Serves ROOT on 127.0.0.1 at a free port, from a thread; returns the page's address."""
    class Handler(http.server.SimpleHTTPRequestHandler):
        extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                          ".wasm": "application/wasm", ".js": "text/javascript",
                          ".webmanifest": "application/manifest+json"}

        def log_message(self, *args):
            pass

    handler = functools.partial(Handler, directory=root)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return f"http://127.0.0.1:{server.server_address[1]}/"


class Target:
    """The program a scenario works: Quillon's window, or the page in Chromium."""

    def __init__(self, args, home):
        self.args = args
        self.home = home
        self.process = None
        self.window = None

    def start(self):
        if self.args.window:
            self.process = subprocess.Popen([self.args.window], stdout=subprocess.DEVNULL,
                                            stderr=subprocess.DEVNULL, start_new_session=True)
            self.window = focus_window("^Quillon$")
            return
        url = serve(self.args.page)
        self.process = subprocess.Popen(
            # --test-type: without the bar that warns of --no-sandbox, which would take a place
            # in the tab order.
            [self.args.browser, "--no-sandbox", "--test-type", "--force-renderer-accessibility",
             f"--user-data-dir={self.home}/browser", "--no-first-run", "--no-default-browser-check",
             "--disable-gpu", "--disable-background-networking", "--disable-component-update",
             "--disable-sync", "--password-store=basic", "--window-position=0,0",
             "--window-size=800,600", f"--app={url}"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        self.window = focus_window("^Quillon$")

    def focus(self):
        """Gives the keyboard back to the window, as a window manager does when a dialog of it
        closes (the display has none)."""
        xdotool("windowfocus", "--sync", self.window)

    def stop(self):
        if self.process and self.process.poll() is None:
            os.killpg(self.process.pid, 9)
            self.process.wait()


def stream(lines, first):
    """The lines from FIRST on as one text, each separated from the next by one space: how a
    listener hears them, whichever way Orca cut them into utterances."""
    return " ".join(" ".join(line.split()) for line in lines[first:])


def find(text, lines, first, offset):
    """Where TEXT ends, held whole in the stream of LINES from FIRST on past OFFSET, or None."""
    pattern = r"(?<![\w.+-])" + re.escape(text) + r"(?![\w+-]|\.\w)"
    match = re.compile(pattern).search(stream(lines, first), offset)
    return match.end() if match else None


def run(steps, speech, target, path):
    """Carries out STEPS, printing each action and what Orca speaks after it; returns a message
    for each expectation not met. After the first miss, later ones are waited for only briefly,
    so that a failing run still shows everything the scenario goes through."""
    mark = 0      # the first line spoken of the last action
    offset = 0    # where in the stream from MARK the next "hear" may start
    printed = 0
    misses = []

    def show_spoken():
        nonlocal printed
        for line in speech.lines[printed:]:
            print(f"    heard: {line}")
        printed = len(speech.lines)

    for number, verb, argument in steps:
        place = f"{path}:{number}"
        if verb in ("start", "focus", "key", "type", "click"):
            # Until Orca has said all it has to say about the last action.
            speech.settle(QUIET_SECONDS, SETTLE_SECONDS)
            show_spoken()
            print(f"  {verb} {argument}".rstrip())
            mark, offset = len(speech.lines), 0
            keys = len(speech.key_marks)
            if verb == "start":
                target.start()
            elif verb == "focus":
                target.focus()
            elif verb == "key":
                xdotool("key", "--delay", "80", *argument.split())
            elif verb == "click":
                click(argument)
            else:
                xdotool("type", "--delay", "80", "--", argument)
            # Orca on a busy machine may take seconds to get to the keys, and what it says
            # meanwhile belongs to the actions before: this action's words start with its first
            # key. Keys reach Orca through the program that has the keyboard, which passes on
            # most (not the window's F10, taken by its menu bar first): those that never come
            # are waited for KEYS_SECONDS only.
            pressed = (len(argument.split()) if verb == "key"
                       else len(argument) if verb == "type" else 0)
            if pressed:
                speech.wait(lambda lines: len(speech.key_marks) - keys >= pressed, KEYS_SECONDS)
                if len(speech.key_marks) > keys:
                    mark = speech.key_marks[keys]
        elif verb == "hear":
            seconds = HEAR_SECONDS if not misses else MISSED_SECONDS
            end = speech.wait(lambda lines: find(argument, lines, mark, offset), seconds)
            if end is None:
                show_spoken()
                misses.append(f'{place}: not heard within {seconds:g} s: "{argument}"')
                print(f"    NOT HEARD: {argument}")
            else:
                offset = end
        else:
            if find(argument, speech.lines, mark, 0) is not None:
                show_spoken()
                misses.append(f'{place}: heard though it must not be: "{argument}"')
                print(f"    HEARD, BUT MUST NOT BE: {argument}")
    speech.settle(QUIET_SECONDS, SETTLE_SECONDS)
    show_spoken()
    return misses


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    which = parser.add_mutually_exclusive_group(required=True)
    which.add_argument("--window", help="Quillon's program")
    which.add_argument("--page", help="the folder of the built web page")
    parser.add_argument("--browser", default="/usr/bin/chromium")
    parser.add_argument("--log", required=True, help="where Orca's debug log is copied")
    parser.add_argument("scenario")
    args = parser.parse_args()
    steps = read_scenario(args.scenario)
    home = os.environ["HOME"]

    speech = Speech(args.log)
    orca_output = open(args.log + ".stdout", "wb")
    orca = subprocess.Popen(["orca", "--debug-file", speech.device], stdout=orca_output,
                            stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
    target = Target(args, home)
    started = time.monotonic()
    try:
        if not speech.wait(lambda lines: ORCA_READY in lines or orca.poll() is not None, 60) \
                or orca.poll() is not None:
            print(f'Orca did not start: "{ORCA_READY}" not heard in 60 s, or Orca ended '
                  f"(see {args.log})")
            return 1
        print(f"{args.scenario}: Orca is listening")
        misses = run(steps, speech, target, args.scenario)
    finally:
        target.stop()
        # Orca ignores SIGTERM.
        orca.kill()
        orca.wait()
    seconds = time.monotonic() - started
    if misses:
        print(f"{args.scenario}: {len(misses)} of the expected lines not met, in {seconds:.0f} s:")
        for miss in misses:
            print(f"  {miss}")
        print(f"(Orca's whole log: {args.log})")
        return 1
    print(f"{args.scenario}: every expected line heard, in {seconds:.0f} s")
    return None


if __name__ == "__main__":
    sys.exit(main())
