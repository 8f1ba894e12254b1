#!/usr/bin/env python3
"""Reads the headless scanner's output and prints one line per problem:
the key's full path, a tab, the detail line."""
import sys

lines = [l.rstrip("\r\n") for l in open(sys.argv[1], encoding="latin-1")]
for i, line in enumerate(lines):
    if line.startswith("HKEY_") and i + 1 < len(lines) and lines[i + 1].startswith("    "):
        print(line + "\t" + lines[i + 1].strip())
