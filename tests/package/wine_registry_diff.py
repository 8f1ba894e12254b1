#!/usr/bin/env python3
"""Compares two copies of a Wine prefix's registry files (system.reg,
user.reg) and prints each key or value that was added, removed or changed,
as "+ KEY" / "- KEY" / "+ KEY | VALUE LINE" / "- KEY | VALUE LINE".
Wine's own time stamps are left out: they change on every start.

  wine_registry_diff.py BEFORE_FOLDER AFTER_FOLDER [PATTERN]

With a pattern (a case-insensitive regular expression), only the lines that
match it are printed; the exit code is 1 when anything was printed."""
import re
import sys


def read_registry(path):
    """{key: set of value lines} of one registry file."""
    keys = {}
    current = None
    pending = ""
    for raw in open(path, encoding="utf-8", errors="surrogateescape"):
        line = raw.rstrip("\n")
        if pending:  # a value continued over several lines
            line, pending = pending + line.lstrip(), ""
        if line.endswith("\\") and current is not None and not line.startswith("["):
            pending = line[:-1]
            continue
        if line.startswith("["):
            current = line[1 : line.rindex("]")]
            keys.setdefault(current, set())
        elif current is not None and line and not line.startswith(("#", ";")):
            keys[current].add(line)
    return keys


def differences(before, after):
    for key in sorted(before.keys() - after.keys()):
        yield "- " + key
    for key in sorted(after.keys() - before.keys()):
        yield "+ " + key
        for value in sorted(after[key]):
            yield "+ " + key + " | " + value
    for key in sorted(before.keys() & after.keys()):
        for value in sorted(before[key] - after[key]):
            yield "- " + key + " | " + value
        for value in sorted(after[key] - before[key]):
            yield "+ " + key + " | " + value


def main():
    before_folder, after_folder = sys.argv[1], sys.argv[2]
    pattern = re.compile(sys.argv[3], re.IGNORECASE) if len(sys.argv) > 3 else None
    printed = False
    for name in ("system.reg", "user.reg"):
        before = read_registry(before_folder + "/" + name)
        after = read_registry(after_folder + "/" + name)
        for line in differences(before, after):
            if pattern is None or pattern.search(line):
                print(name + ": " + line)
                printed = True
    sys.exit(1 if printed else 0)


if __name__ == "__main__":
    main()
