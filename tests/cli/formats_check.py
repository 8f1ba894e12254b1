#!/usr/bin/env python3
"""Reads TarnelScan's TSV and JSON lists back with Python's own readers and
compares them, byte for byte, with its text list of the same registry.
  formats_check.py TEXT TSV JSON
Line ends may be CR LF (a Windows program's standard output)."""
import json
import sys


def read(path):
    return open(path, "rb").read().replace(b"\r\n", b"\n")


def unescape_tsv(field):
    out, i = bytearray(), 0
    while i < len(field):
        if field[i:i + 1] != b"\\":
            out += field[i:i + 1]
            i += 1
        elif field[i + 1:i + 4] == b"x7c":
            out += b"|"
            i += 4
        else:
            out += {b"\\": b"\\", b"t": b"\t", b"n": b"\n", b"r": b"\r"}[field[i + 1:i + 2]]
            i += 2
    return bytes(out)


def from_tsv(data):
    lines = data.split(b"\n")
    assert lines[0] == b"path\tmessage\tlevel\tvalues", lines[0]
    assert lines[-1] == b"", "the last line ends with a line end"
    problems = []
    for line in lines[1:-1]:
        path, message, level, values = line.split(b"\t")
        names = [unescape_tsv(v) for v in values.split(b"|")] if values else []
        problems.append((unescape_tsv(path), unescape_tsv(message), int(level), names))
    return problems


def from_json(data):
    document = json.loads(data.decode("ascii"))
    as_bytes = lambda s: s.encode("latin-1")
    problems = [(as_bytes(p["path"]), as_bytes(p["message"]), p["level"], [as_bytes(v) for v in p["values"]])
                for p in document["problems"]]
    summary = document["summary"]
    assert summary["problems"] == len(problems) and summary["stopped"] is False and summary["entries"] > 0, summary
    return problems, document["code_page"]


def as_text(problems):
    text = b""
    for path, message, level, names in problems:
        text += path + b"\n    " + message + b"; level " + str(level).encode()
        if names:
            text += b"; values: " + b", ".join(b'"' + n + b'"' for n in names)
        text += b"\n"
    return text + str(len(problems)).encode() + (b" problem" if len(problems) == 1 else b" problems") + b" found.\n"


text, tsv, (json_problems, code_page) = read(sys.argv[1]), from_tsv(read(sys.argv[2])), from_json(read(sys.argv[3]))
failed = False
for name, problems in (("TSV", tsv), ("JSON", json_problems)):
    if as_text(problems) != text:
        print(f"FAIL: the {name} list read back differs from the text list")
        failed = True
names = [n for _, _, _, values in json_problems for n in values] + [p for p, _, _, _ in json_problems]
# hostile.reg is planted in code page 1252; the scanner gives names in its own.
in_code_page = lambda planted: planted.decode("cp1252").encode(f"cp{code_page}")
for planted in (b"Tarnel \"quoted\"", b"Tarnel back\\slash\\", b"Tarnel\ttab", b"Tarnel|pipe",
                b"Tarnel caf\xe9 \xa3\x80\xff", b"Tarnel\", \"comma", b"C:\\TarnelDemo\\gone \"q\" caf\xe9.dll"):
    if in_code_page(planted) not in names:
        print(f"FAIL: the hostile name {planted!r} is not among the problems")
        failed = True
if not any(in_code_page(b"\\Tarnel \"Hostile\"\tcaf\xe9|pipe.exe") in p for p in names):
    print("FAIL: the hostile key name is not among the problems")
    failed = True
if not failed:
    print(f"formats: {len(tsv)} problems, TSV and JSON equal to the text list (code page {code_page})")
sys.exit(1 if failed else 0)
