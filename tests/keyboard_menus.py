#!/usr/bin/python3
"""Drives Quillon's menus with real key presses on an X server and reads the window back
through the accessibility bus (AT-SPI), as a keyboard and a screen reader would:

    xvfb-run -a dbus-run-session -- tests/keyboard_menus.py build/app/quillon

F10 opens "Add Operations"; Right moves to "Number of Figures" and Return chooses "One
Number", which must then be the checked item of the pair; F10, Down and Return add "Unit
Conversion"; Escape closes a menu and gives the focus back; a conversion of that category
then runs from the keyboard alone, and its answer is handed to screen readers as a
notification; Ctrl+Q closes the window. On the way, what a screen reader reads of the controls
(EXPOSED) is checked.
"""
import os
import subprocess
import sys
import time

import pyatspi


def wait_for(what, check, seconds=10.0):
    deadline = time.monotonic() + seconds
    while True:
        value = check()
        if value:
            return value
        if time.monotonic() > deadline:
            sys.exit(f"keyboard_menus.py: timed out waiting for {what}")
        time.sleep(0.05)


def walk(node, depth=0):
    yield node
    if depth < 12:
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None:
                yield from walk(child, depth + 1)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "Quillon":
            return app
    return None


def state(app):
    """The checked item of "Number of Figures", the focused control and the boxes' texts."""
    seen = {"checked": [], "focus": None}
    for node in walk(app):
        states = node.getState()
        if node.name in ("One Number", "Two Numbers") and states.contains(pyatspi.STATE_CHECKED):
            seen["checked"].append(node.name)
        if states.contains(pyatspi.STATE_FOCUSED) and node.getRoleName() == "text":
            seen["focus"] = node.name
        if node.name in ("First", "Second", "Answer") and node.getRoleName() == "text":
            seen[node.name] = node.queryText().getText(0, -1)
    return seen


def text_run(node):
    """The node's text and the attribute run at its start, as (text, start, end)."""
    text = node.queryText()
    _, start, end = text.getAttributeRun(0, False)
    return text.getText(0, -1), start, end


# What a screen reader reads of a control: a row holds the control's name and role, what to read
# of it, and the value wanted. The boxes' attribute runs cover their whole text, from which a
# screen reader takes the line it reads.
EXPOSED = [
    ("First", "text", text_run, ("0", 0, 1)),
    ("Answer", "text", text_run, ("0", 0, 1)),
    ("Bar", "separator", lambda node: node.getRoleName(), "separator"),
    ("One Number", "radio button", lambda node: node.getState().contains(pyatspi.STATE_CHECKED),
     False),
    ("Two Numbers", "radio button", lambda node: node.getState().contains(pyatspi.STATE_CHECKED),
     True),
    ("Operation", "combo box", lambda node: node.description, "4 operations"),
]


def exposed(app):
    """Each row of EXPOSED with what was read of its control, or None where none was found."""
    nodes = {(node.name, node.getRoleName()): node for node in walk(app)}
    return [(name, role, read(nodes[(name, role)]) if (name, role) in nodes else None, wanted)
            for name, role, read, wanted in EXPOSED]


def notification(app):
    """The name of the showing notification, or None."""
    for node in walk(app):
        if node.getRoleName() == "notification" and node.getState().contains(pyatspi.STATE_SHOWING):
            return node.name
    return None


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "60", *names], check=True)
    time.sleep(0.2)


def main():
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C.UTF-8")
    bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    program = subprocess.Popen([sys.argv[1]], env=env)
    try:
        # Only once it is shown: the window exists, named, before it is mapped, and focusing
        # it then fails (BadMatch), which a loaded machine makes likely.
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible",
                                 "--name", "^Quillon$"],
                                check=True, capture_output=True, text=True).stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
        app = wait_for("the window on the accessibility bus", application)
        wait_for("two-number mode shown", lambda: state(app)["checked"] == ["Two Numbers"])
        for name, role, read, wanted in exposed(app):
            if read != wanted:
                sys.exit(f"keyboard_menus.py: {name} ({role}) read {read!r}, wanted {wanted!r}")
        entries = [node for node in walk(app) if node.getRoleName() == "list item"]
        if not entries or not all(node.description for node in entries):
            sys.exit("keyboard_menus.py: a list entry without its tooltip as description")

        # While a menu is open, no box is reported focused: a screen reader reads the focus.
        keys("F10", "Right")
        if state(app)["focus"] is not None:
            sys.exit(f"keyboard_menus.py: {state(app)['focus']} focused in an open menu")
        keys("Return")
        wait_for("one-number mode shown", lambda: state(app)["checked"] == ["One Number"])
        focus = wait_for("the focus in the window", lambda: state(app)["focus"])

        keys("F10", "Down", "Down", "Down", "Return")  # the fourth item, "Unit Conversion"
        keys("F10", "Escape")
        wait_for(f"the focus back on {focus}", lambda: state(app)["focus"] == focus)

        # The list's edit field, then Second: a category item runs only if it was added.
        keys("ctrl+a")
        subprocess.run(["xdotool", "type", "--delay", "30", "Miles -> Kilometers"], check=True)
        keys("Tab", "ctrl+a")
        subprocess.run(["xdotool", "type", "--delay", "30", "1"], check=True)
        keys("Return")
        wait_for('Answer "1.609344"', lambda: state(app).get("Answer") == "1.609344")
        wait_for('the notification "1.609344"', lambda: notification(app) == "1.609344")

        keys("ctrl+q")
        wait_for("the program to end", lambda: program.poll() is not None)
        print("keyboard_menus.py: menus, mode, Escape, category and Ctrl+Q all from the keyboard")
    finally:
        if program.poll() is None:
            program.kill()
        bus.kill()


if __name__ == "__main__":
    main()
