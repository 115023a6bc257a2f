#!/usr/bin/env python3
"""Writes seeded random key sequences for vintrel-keys, one a line.

    vintrel-keys --key-table | random_key_sequences.py SEED COUNT > sequences.txt

The same seed and keys always give the same lines, so two builds of the
tool can be compared on them byte for byte. The keys' captions come from
the tool's key table, in its order; typed texts lean towards the numbers
where the calculator is most fragile: tag collisions past 65536, the ends
of the double range, and text that is not a number at all.
"""
import json
import random
import sys


def captions():
    try:
        found = [key["caption"] for key in json.load(sys.stdin)]
    except (ValueError, TypeError, KeyError) as error:
        sys.exit(f"random_key_sequences.py: standard input is not a key table: {error}")
    if not found:
        sys.exit("random_key_sequences.py: the key table has no keys")
    return found


TEXTS = ["70000", "65526", "65536", "131062", "-65546", "1e308", "1.7976931348623157e308",
         "1e999", "-1e999", "1e-320", "4.9e-324", "0", "-0", "Press Equals...", "abc", " \t12",
         "1e", "1e+", ".", "-.5", "12abc", "9" * 40, "0.1", "3.14159265358979", "1E-05", "\u00e9"]


def text(rng):
    if rng.random() < 0.5:
        return rng.choice(TEXTS)
    digits = "".join(rng.choice("0123456789") for _ in range(rng.randint(1, 8)))
    if rng.random() < 0.3:
        digits += "." + "".join(rng.choice("0123456789") for _ in range(rng.randint(1, 4)))
    if rng.random() < 0.2:
        digits += rng.choice("eE") + rng.choice(["", "-", "+"]) + str(rng.randint(0, 330))
    return rng.choice(["", "-"]) + digits


def main():
    seed, count = int(sys.argv[1]), int(sys.argv[2])
    rng = random.Random(seed)
    keys = captions()
    for _ in range(count):
        tokens = []
        for _ in range(rng.randint(1, 30)):
            roll = rng.random()
            if roll < 0.08:
                tokens.append("type:" + text(rng).replace(" ", "").replace("\t", ""))
            elif roll < 0.12:
                tokens.append("text:" + text(rng).replace(" ", "").replace("\t", ""))
            else:
                tokens.append(rng.choice(keys))
        sys.stdout.write(" ".join(tokens) + "\n")


if __name__ == "__main__":
    main()
