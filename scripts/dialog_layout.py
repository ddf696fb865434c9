#!/usr/bin/env python3
"""The settings dialog's places, read from the program's one table (dialog/dialog_layout.h), for
the scripts: `scripts/dialog_layout.py NAME [INDEX]` prints "x y width height" of a place (INDEX
for the lists), and `import dialog_layout; dialog_layout.places()` gives them all by name."""
import os
import re
import sys

HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "dialog", "dialog_layout.h")


def places():
    """Every place of the table: a name to (x, y, width, height), or to a list of them."""
    table = {}
    with open(HEADER, encoding="utf-8") as f:
        for line in f:
            m = re.match(r"inline constexpr Place (\w+)(\[\d*\])?(?: = )?\{(.*)\};", line.strip())
            if not m:
                continue
            boxes = [tuple(int(v) for v in b.split(",")) for b in re.findall(r"(-?\d+(?:, -?\d+){3})", m.group(3))]
            table[m.group(1)] = boxes if m.group(2) else boxes[0]
    return table


if __name__ == "__main__":
    place = places()[sys.argv[1]]
    if len(sys.argv) > 2:
        place = place[int(sys.argv[2])]
    print(*place)
