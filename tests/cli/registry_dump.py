#!/usr/bin/env python3
"""Reads `reg export` files (UTF-16) and prints their keys and values in a
stable order: one line per key, one indented line per value, keys and
values sorted, so that two dumps compare whatever order a restore wrote
them in. Continuation lines are joined to their value. Keys whose path
holds a --skip text (letter case ignored) are left out.
   registry_dump.py [--skip TEXT]... EXPORT.reg..."""
import sys

args, skip = sys.argv[1:], []
while args and args[0] == "--skip":
    skip.append(args[1].lower())
    args = args[2:]
blocks = {}
for path in args:
    data = open(path, "rb").read()
    text = data.decode("utf-16") if data[:2] in (b"\xff\xfe", b"\xfe\xff") else data.decode("latin-1")
    key, pending = None, ""
    for line in text.replace("\r\n", "\n").split("\n"):
        if pending:
            line, pending = pending + line.lstrip(), ""
        if line.endswith("\\") and not line.startswith("["):
            pending = line[:-1]
            continue
        if line.startswith("[") and line.endswith("]"):
            key = line[1:-1]
            blocks.setdefault(key, set())
        elif key is not None and line:
            blocks[key].add(line)
for key in sorted(blocks, key=str.lower):
    if any(text in key.lower() for text in skip):
        continue
    print(key)
    for value in sorted(blocks[key]):
        print("    " + value)
