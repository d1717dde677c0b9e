#!/usr/bin/env python3
"""Writes a replay script of random clicks over every entry of Operation, in both modes.

    tests/clicks/generate.py REPLAY_COMMAND... > clicks.txt
    tests/clicks/generate.py --clicks 20000 --seed 11 build/tools/quillon-replay --headless

The entries are taken from the program itself: it is asked for the list after each menu item
("num", "add", "state"), so the script follows the catalogue without a copy of its names. The
same seed and the same catalogue give the same script, byte for byte, on every machine. The
values mix ordinary numbers with the edges where platforms are known to disagree: zeros of
both signs, the ends of the double range, subnormals, right angles and their multiples in
degrees and radians, huge trigonometric arguments, integers past 2^53 and 2^63, texts that are
not numbers and the "%" recall.
"""

import argparse
import json
import random
import subprocess
import sys

NUMBER_ITEMS = (2, 1)  # "Number of Figures": 2 two numbers, 1 one number
CATEGORY_ITEMS = range(1, 8)  # "Add Operations"

EDGES = [
    "0", "-0", "0.0", "-0.0", "1", "-1", "2", "10", "0.1", "0.5", "-0.5",
    "1E308", "-1E308", "1.7976931348623157E308", "1.79769313486232E308", "1E309", "-1E309",
    "5E-324", "4.9406564584124654E-324", "1E-320", "2.2250738585072014E-308", "1E-308",
    "1E-400", "1E-300", "1E300", "1E15", "1E16", "1E17", "1E18", "1E19", "1E22", "1E100",
    "9007199254740992", "9007199254740993", "123456789012345678", "2147483647", "2147483648",
    "-2147483649", "4294967296", "9223372036854775807", "9223372036854775808",
    "-9223372036854775809", "18446744073709551616", "169", "170", "171", "1000",
    "0.999999999999999", "1.00000000000001", "709.782712893384", "710", "-745.13321910194",
    "-746", "308.254715559917", "2.71828182845905",
]
ANGLES = [
    "0", "30", "45", "60", "90", "120", "135", "150", "180", "270", "360", "720", "-90",
    "-180", "89.9999999999999", "90.0000000000001", "179.999999999999", "1E6", "1E15", "1E22",
    "1.5707963267949", "1.5707963267948966", "3.14159265358979", "3.141592653589793",
    "6.28318530717959", "0.785398163397448", "-1.5707963267949", "4.71238898038469",
    "1E300", "1.2345678E10", "0.000001", "1E-10", "22", "355", "103993", "2.5E8",
]
NON_NUMBERS = [
    "", "abc", "%", "12%", "%5", " 7", "7 ", "1e5", "1E+5", "1E-5", "1,5", "0x10", "Infinity",
    "-Infinity", "NaN", "nan", "inf", "-", "+", ".", "1.", ".5", "+3", "--3", "1E", "E5",
    "3.2.1", "\u0661\u0662", "\u00BD", "Error", "\u00D7", "1 000", "1_000", "1D5", "&H10",
    "1E400", "-1E400", "0E0", "-0E-5", "00012", "1.5E308x",
]


def harvest(command):
    """The entries of the basic block of each mode and of each category in each mode."""
    lines = []
    for mode in NUMBER_ITEMS:
        lines += [f"num {mode}", "state"]
        for item in CATEGORY_ITEMS:
            lines += [f"add {item}", "state"]
    result = subprocess.run(command, input="\n".join(lines) + "\n", capture_output=True,
                            text=True, encoding="utf-8", check=True)
    states = [json.loads(line) for line in result.stdout.splitlines()]
    blocks = {}  # (mode, item) -> entries; item 0 is the basic block
    expected_states = len(NUMBER_ITEMS) * (1 + len(CATEGORY_ITEMS))
    if len(states) != expected_states:
        sys.exit(f"{command[0]} printed {len(states)} states, not {expected_states}")
    position = 0
    for mode in NUMBER_ITEMS:
        basic = states[position]["entries"]
        blocks[(mode, 0)] = basic
        position += 1
        for item in CATEGORY_ITEMS:
            entries = states[position]["entries"]
            if entries[: len(basic)] != basic:
                sys.exit(f"category {item} in mode {mode} does not start with the basic block")
            blocks[(mode, item)] = entries[len(basic):]
            position += 1
    return blocks


def random_number(rng):
    """An ordinary number of some random size and precision, written as a user might."""
    kind = rng.random()
    if kind < 0.3:
        return str(rng.randint(-1000, 1000))
    if kind < 0.55:
        return f"{rng.uniform(-1000, 1000):.{rng.randint(1, 6)}f}"
    if kind < 0.75:
        sign = rng.choice(["", "-"])
        return f"{sign}{rng.uniform(1, 10):.{rng.randint(0, 16)}f}E{rng.randint(-330, 330)}"
    if kind < 0.9:
        return repr(rng.uniform(-1, 1) * 10.0 ** rng.randint(-20, 20))
    return str(rng.randint(-(10**20), 10**20))


def random_value(rng):
    kind = rng.random()
    if kind < 0.45:
        return random_number(rng)
    if kind < 0.65:
        return rng.choice(EDGES)
    if kind < 0.85:
        return rng.choice(ANGLES)
    return rng.choice(NON_NUMBERS)


def box_command(rng, box, text):
    # Keys ("type" into the emptied box, or "keys" over its text selected) only for texts a
    # user could type within the 18-character limit.
    verb = "set"
    if box != "Answer" and len(text) <= 18:
        chance = rng.random()
        verb = "type" if chance < 0.05 else "keys" if chance < 0.1 else "set"
    return f"{verb} {box} {text}" if text else f"{verb} {box}"


def generate(blocks, clicks, rng):
    places = {}  # entry -> every (mode, item) whose list shows it
    for (mode, item), entries in blocks.items():
        for entry in entries:
            places.setdefault(entry, []).append((mode, item))
    names = sorted(places)
    # Every entry once first, in random order, then entries at random.
    order = names[:]
    rng.shuffle(order)

    mode, item = 2, 0
    out = []
    for n in range(clicks):
        visible = blocks[(mode, 0)] + (blocks[(mode, item)] if item else [])
        if n < len(order):
            name = order[n]
        else:
            # Mostly an entry of the list as it is, so that runs of clicks share a mode and a
            # held answer; now and then any entry, which may need the menus first.
            name = rng.choice(visible if rng.random() < 0.7 else names)
        if name not in visible:
            mode, item = rng.choice(places[name])
            out.append(f"num {mode}")
            if item:
                out.append(f"add {item}")
        if mode == 2 or rng.random() < 0.2:
            if rng.random() < 0.8:
                out.append(box_command(rng, "First", random_value(rng)))
        if rng.random() < 0.8:
            out.append(box_command(rng, "Second", random_value(rng)))
        if rng.random() < 0.1:
            out.append(box_command(rng, "Answer", random_value(rng)))
        # The first pass selects each entry; later, now and then, the click comes with no
        # entry chosen, or with a text typed into the list's edit field instead.
        choice = rng.random() if n >= len(order) else 1.0
        if choice < 0.02:
            out.append("index -1")
        elif choice < 0.04:
            text = rng.choice([name, name.lower(), name + " ", "Sin", ""])
            out.append(f"edit {text}" if text else "edit")
        else:
            out.append(f"select {name}")
        out.append("click")
        if rng.random() < 0.005:
            out.append("state")
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--clicks", type=int, default=20000)
    parser.add_argument("--seed", type=int, default=11)
    parser.add_argument("command", nargs=argparse.REMAINDER, help="the scripted driver to ask for the lists")
    arguments = parser.parse_args()
    if not arguments.command:
        parser.error("the scripted driver to run is missing")

    blocks = harvest(arguments.command)
    rng = random.Random(arguments.seed)
    lines = generate(blocks, arguments.clicks, rng)
    sys.stdout.buffer.write(
        (f"# {arguments.clicks} random clicks, seed {arguments.seed}\n" + "\n".join(lines)
         + "\n").encode("utf-8"))


if __name__ == "__main__":
    main()
