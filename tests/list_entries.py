#!/usr/bin/python3
"""Reads the entries of Operation through the accessibility bus (AT-SPI), as a screen reader
would, without opening the list, and compares them with the list the program holds:

    xvfb-run -a dbus-run-session -- tests/list_entries.py build/app/quillon build/tools/quillon-replay

The combo box "Operation" must hand out a list (one item per entry, in order) and its edit
field, after Form_Load and after adding a category in each mode; the menus are driven with real
key presses. What the list must hold comes from the headless driver after the same menu items.
"""
import json
import os
import subprocess
import sys

from keyboard_menus import application, keys, wait_for, walk

# A step: the keys that choose the menu items, and the same items in the replay script.
STEPS = [
    ("after Form_Load", [], []),
    ("two numbers, Statistical Operators", ["F10", "Down", "Down", "Return"], ["add 3"]),
    ("one number", ["F10", "Right", "Return"], ["num 1"]),
    ("one number, Trigonometry", ["F10", "Down", "Down", "Down", "Down", "Down", "Return"], ["add 6"]),
]


def expected_entries(replay):
    """The entries after each step, as the headless driver holds them."""
    lines = []
    for _, _, commands in STEPS:
        lines += commands + ["state"]
    out = subprocess.run([replay, "--headless"], input="\n".join(lines) + "\n", check=True,
                         capture_output=True, text=True).stdout.splitlines()
    return [json.loads(line)["entries"] for line in out]


def list_view(app):
    """The combo box Operation's children: their roles, and the names of the list's items."""
    for node in walk(app):
        if node.name == "Operation" and node.getRoleName() == "combo box":
            children = [node.getChildAtIndex(i) for i in range(node.childCount)]
            roles = [child.getRoleName() for child in children]
            lists = [child for child in children if child.getRoleName() == "list"]
            items = [lists[0].getChildAtIndex(i) for i in range(lists[0].childCount)] if lists else []
            return roles, [item.name for item in items if item.getRoleName() == "list item"]
    return None, []


def main():
    quillon, replay = sys.argv[1], sys.argv[2]
    wanted = expected_entries(replay)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C.UTF-8")
    bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    program = subprocess.Popen([quillon], env=env)
    try:
        # Only once it is shown: the window exists, named, before it is mapped, and focusing
        # it then fails (BadMatch), which a loaded machine makes likely.
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible",
                                 "--name", "^Quillon$"],
                                check=True, capture_output=True, text=True).stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
        app = wait_for("the window on the accessibility bus", application)
        for (step, presses, _), entries in zip(STEPS, wanted):
            if presses:
                keys(*presses)
            seen = []

            def read():
                seen[:] = [list_view(app)]
                return seen[0] == (["list", "text"], entries)

            if not wait_for_quietly(read):
                sys.exit(f"list_entries.py: {step}: read {seen[0]}, wanted {(['list', 'text'], entries)}")
            print(f"list_entries.py: {step}: {len(entries)} entries read: {', '.join(entries)}")
        keys("ctrl+q")
        wait_for("the program to end", lambda: program.poll() is not None)
    finally:
        if program.poll() is None:
            program.kill()
        bus.kill()


def wait_for_quietly(check, seconds=10.0):
    try:
        return wait_for("", check, seconds)
    except SystemExit:
        return False


if __name__ == "__main__":
    main()
