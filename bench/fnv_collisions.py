#!/usr/bin/env python3
"""Writes distinct words whose 32-bit FNV-1a hashes agree in their low bits.

A hash table that takes its slot from the low bits of an unseeded FNV-1a
hash puts all of these words into one home slot, so that every new word
probes past all the words before it. The same words in a table with a
keyed hash spread like any others: the benchmark compares them with as many
ordinary distinct words.

The low k bits of FNV-1a depend only on the low k bits of its state, so the
search works modulo 2**k and meets in the middle: for every prefix the state
after it, for every suffix the state from which the suffix leads to the
target; each prefix and suffix whose states agree make one colliding word.

Usage: fnv_collisions.py OUTPUT COUNT [--bits K] [--ordinary]
  --ordinary writes COUNT distinct words of the same length and letters,
  with no collisions sought, for the comparison.
Ten words to a line, lines ending in CR LF, lower-case letters only (no v
or x, so that no word is taken for a Roman numeral).
"""
import argparse
import itertools
import sys

LETTERS = "abcdefghijklmnopqrstuwyz"
PREFIX_LEN = 4
SUFFIX_LEN = 5
FNV_OFFSET = 2166136261
FNV_PRIME = 16777619


def colliding_words(count, bits):
    mask = (1 << bits) - 1
    prime_inverse = pow(FNV_PRIME, -1, 1 << 32) & mask
    prime = FNV_PRIME & mask
    codes = [ord(c) for c in LETTERS]

    # The state after each prefix, grouped by state.
    by_state = {}
    for prefix in itertools.product(range(len(LETTERS)), repeat=PREFIX_LEN):
        h = FNV_OFFSET & mask
        for i in prefix:
            h = ((h ^ codes[i]) * prime) & mask
        by_state.setdefault(h, []).append(prefix)

    target = 0
    found = 0
    for suffix in itertools.product(range(len(LETTERS)), repeat=SUFFIX_LEN):
        # Undo the suffix from the target: the state it must start from.
        h = target
        for i in reversed(suffix):
            h = ((h * prime_inverse) & mask) ^ codes[i]
        prefixes = by_state.get(h)
        if not prefixes:
            continue
        tail = "".join(LETTERS[i] for i in suffix)
        for prefix in prefixes:
            yield "".join(LETTERS[i] for i in prefix) + tail
            found += 1
            if found == count:
                return
    raise SystemExit(f"only {found} colliding words of this length exist")


def ordinary_words(count):
    n = len(LETTERS)
    for k in range(count):
        word = []
        # Spread the numbers over the letters, so that the words do not share
        # long prefixes more than real words do.
        v = (k * 2654435761) % (n ** (PREFIX_LEN + SUFFIX_LEN))
        for _ in range(PREFIX_LEN + SUFFIX_LEN):
            word.append(LETTERS[v % n])
            v //= n
        yield "".join(word)


def fnv1a(word):
    h = FNV_OFFSET
    for c in word.encode("latin-1"):
        h = ((h ^ c) * FNV_PRIME) & 0xFFFFFFFF
    return h


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output")
    parser.add_argument("count", type=int)
    parser.add_argument("--bits", type=int, default=20)
    parser.add_argument("--ordinary", action="store_true")
    args = parser.parse_args()

    words = ordinary_words(args.count) if args.ordinary else colliding_words(args.count, args.bits)
    written = 0
    low = set()
    with open(args.output, "w", encoding="ascii", newline="") as out:
        line = []
        for word in words:
            line.append(word)
            if not args.ordinary and written < 1000:
                low.add(fnv1a(word) & ((1 << args.bits) - 1))
            written += 1
            if len(line) == 10:
                out.write(" ".join(line) + "\r\n")
                line = []
        if line:
            out.write(" ".join(line) + "\r\n")
    if not args.ordinary and len(low) != 1:
        raise SystemExit("fnv_collisions.py: the words do not collide")
    print(f"{written} words written to {args.output}", file=sys.stderr)


if __name__ == "__main__":
    main()
