#!/usr/bin/env python3
"""Judges a --delete that raced a writer (recheck_test.sh): each changed
entry refused as changed and left with the writer's data, the entry whose
file came back refused as valid now and left as it was, the backup written
before the deletion holding them all the same (its restore keeps what changed
and writes only what is missing), everything else deleted, and
no line of the registry before lost: what the registry lacks after the run,
the backup gives back.
   race_check.py WORK KEY_ADDED KEY_SUBKEY KEY_RETYPED KEY_VALID VALUES_RETYPED VALUES_VALID KEY_FILE_BACK"""
import json
import sys

work = sys.argv[1]
added, subkey, retyped, valid, values_retyped, values_valid, file_back = sys.argv[2:9]


def blocks(name):
    out, key = {}, None
    for line in open(f"{work}/{name}", encoding="latin-1"):
        line = line.rstrip("\n")
        if line.startswith("    "):
            out[key].add(line.strip())
        else:
            key = line
            out[key] = set()
    return out


before, after, restored = blocks("before.dump"), blocks("after.dump"), blocks("restored.dump")
result = json.load(open(f"{work}/delete.json"))
ok = True


def fail(text):
    global ok
    print(f"FAIL: {text}")
    ok = False


refused = {r["path"]: r["reason"] for r in result["refused"]}
targets = [added, subkey, retyped, valid, values_retyped, values_valid]
for key in targets:
    if refused.get(key) != "it changed since its backup was made":
        fail(f"{key}: refused as {refused.get(key)!r}, expected as changed since its backup")
if refused.get(file_back) != "it is valid now":
    fail(f"{file_back}: refused as {refused.get(file_back)!r}, expected as valid now")
if set(refused) - set(targets) - {file_back}:
    fail(f"refused beyond the changed entries: {sorted(set(refused) - set(targets) - {file_back})[:5]}")
expected_deleted = result["summary"]["problems"] - len(targets) - 1
if len(result["deleted"]) != expected_deleted:
    fail(f"{len(result['deleted'])} deleted, expected {expected_deleted}")

# Left with the writer's data.
checks = {
    added: lambda lines: '"added"="new"' in lines,
    retyped: lambda lines: any(line.startswith("@=hex(2):") for line in lines),
    valid: lambda lines: any(line.startswith("@=") and "notepad" in line for line in lines),
    values_retyped: lambda lines: any(line.startswith('"v"=hex(2):') for line in lines),
    values_valid: lambda lines: any(line.startswith('"v"=') and "notepad" in line for line in lines),
}
for key, holds in checks.items():
    if not holds(after.get(key, set())):
        fail(f"{key} lacks the writer's data: {sorted(after.get(key, set()))}")
if f"{subkey}\\NewSub" not in after:
    fail(f"{subkey}\\NewSub is gone")
if after.get(file_back) != before.get(file_back):
    fail(f"{file_back} changed: {sorted(after.get(file_back, set()))}")

# The backup was written whole before the deletion and never again: its
# restore writes no old data over what the refused entries hold now.
for key in targets + [file_back]:
    if restored.get(key) != after.get(key):
        fail(f"restoring the backup changed the refused {key}: {sorted(restored.get(key, set()))}")

# No line lost. The writer replaced these values; their old lines may go.
replaced = {(retyped, "@"), (valid, "@"), (values_retyped, '"v"'), (values_valid, '"v"')}
lost = 0
for key, lines in before.items():
    for line in lines:
        name = line.split("=", 1)[0]
        if (key, name) in replaced:
            continue
        if line not in after.get(key, set()) and line not in restored.get(key, set()):
            lost += 1
            if lost <= 5:
                fail(f"lost: [{key}] {line}")
    if key not in after and key not in restored:
        lost += 1
        fail(f"lost key: {key}")
print(f"race: {len(result['deleted'])} deleted, {len(refused) - 1} refused as changed, 1 as valid now, "
      f"{lost} lines lost")
sys.exit(0 if ok and lost == 0 else 1)
