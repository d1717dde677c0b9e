#!/usr/bin/python3
"""How the screen reader check matches an expected text against what Orca spoke: whole numbers
and words only, across Orca's utterances, in order. A looser match would pass a number read cut
short, which is what the check is there to catch."""
import os
import sys
import tempfile

# Nothing written beside the sources.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from listen import find, read_scenario  # noqa: E402

# (spoken lines, expected text, heard?)
ROWS = [
    (["3.5 selected"], "3.5", True),
    (["notification 3.5."], "3.5", True),
    (["3. selected."], "3.5", False),
    (["3.5 selected"], "3.", False),
    (["Answer text.", "3. selected."], "3.", True),
    (["10 operations."], "0", False),
    (["First text.", "0."], "0", True),
    (["-1.2E+1 selected."], "-1.2E+15", False),
    (["-1.2E+15"], "-1.2E+1", False),
    (["notification -1.2E+15."], "-1.2E+15", True),
    (["-0.0012"], "0.0012", False),
    (["alert Quillon.", "Overflow: the result is beyond the range of numbers."],
     "Quillon Overflow: the result", False),
    (["Operation editable combo box.", "Choose Operation.", "4 operations."], "4", True),
    (["Do It! push button."], "Do It!", True),
    (["One Number.", "not selected radio button"], "One Number. not selected", True),
    (["Two Numbers checked."], "selected", False),
    (["Two   Numbers", "selected"], "Two Numbers selected", True),
]


def main():
    failures = []
    for lines, text, heard in ROWS:
        if (find(text, lines, 0, 0) is not None) != heard:
            failures.append(f"{text!r} in {lines}: expected {'heard' if heard else 'not heard'}")
    # Each "hear" starts where the one before ended: the same line cannot serve twice.
    end = find("0", ["0", "selected"], 0, 0)
    if find("0", ["0", "selected"], 0, end) is not None:
        failures.append("one spoken \"0\" matched two expected ones")
    # A scenario's mistakes are named with their place.
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as file:
        file.write("# comment\n\nstart\nhear\n")
    try:
        read_scenario(file.name)
        failures.append("a 'hear' without a text was taken")
    except SystemExit as error:
        if f"{file.name}:4:" not in str(error):
            failures.append(f"the message does not name the line: {error}")
    finally:
        os.unlink(file.name)
    for failure in failures:
        print(failure)
    print(f"listen_test.py: {len(ROWS) + 2 - len(failures)} of {len(ROWS) + 2} cases pass")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
