#!/usr/bin/env bash
# TarnelScan --delete on the demo's registry, end to end on a fresh Wine
# prefix: exactly the planted stale entries (and the bare prefix's stale
# ones) go, no healthy twin is touched, a dry run changes nothing, the
# backup gives everything back through --restore and through Wine's own
# registry editor, and a backup folder that cannot be written stops the
# deletion before anything is deleted. Prints what was deleted and refused
# and the times of the scan alone and of --delete.
#   delete_test.sh SCANNER.EXE WORK_FOLDER
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
scanner="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
work="$(mkdir -p "$2" && cd "$2" && pwd)/delete"
prefix="$work/prefix"
readonly_folder="$prefix/drive_c/TarnelReadOnly"
[ -d "$readonly_folder" ] && chattr -i "$readonly_folder" 2>/dev/null
rm -rf "$work" && mkdir -p "$work"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$prefix"
trap 'chattr -i "$readonly_folder" 2>/dev/null; wineserver -k 2>/dev/null' EXIT

# Both views, whichever build deletes: the 64-bit tools see the 32-bit view
# as the Wow6432Node keys.
tool=(env WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64)
dump() {
  "${tool[@]}" reg export 'HKLM\Software' "$(winepath -w "$work/hklm.reg")" /y >/dev/null 2>&1
  "${tool[@]}" reg export 'HKCU\Software' "$(winepath -w "$work/hkcu.reg")" /y >/dev/null 2>&1
  # Wine's own keys change as it runs; the settings (with the backup
  # history that --delete writes) are the scanner's.
  python3 "$root/tests/cli/registry_dump.py" --skip '\Software\Wine' --skip '\Software\Vexa' \
    "$work/hklm.reg" "$work/hkcu.reg" > "$1"
}
now() { date +%s.%N; }
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# One Wine session for the whole test: a new session's start runs the
# RunOnce entries (the demo plants one) and rewrites keys of its own.
wine_prefix_fit "$prefix"
wine cmd /c exit >/dev/null 2>&1
wineserver -w
wineserver -p
wine cmd /c exit >/dev/null 2>&1
"$root/scripts/demo-scan.sh" "$scanner" "$prefix" > "$work/scan.txt" 2>&1
dump "$work/before.dump"
cd "$prefix/drive_c/TarnelDemo"

start=$(now)
wine "$scanner" > "$work/scan-again.txt" 2>&1
scan_status=$?
scan_seconds=$(echo "$(now) - $start" | bc)
[ "$scan_status" -eq 1 ] || fail "the plain scan exited $scan_status, expected 1"

wine "$scanner" --dry-run > "$work/dry-run.txt" 2>&1
dump "$work/after-dry-run.dump"
cmp -s "$work/before.dump" "$work/after-dry-run.dump" || fail "--dry-run changed the registry"
ls "$prefix/drive_c/TarnelDemo/"*.reg 2>/dev/null | grep -v results.reg && fail "--dry-run wrote a backup file"

# A backup folder that cannot be written: nothing deleted, status 2, and why.
mkdir -p "$readonly_folder" && chattr +i "$readonly_folder"
wine "$scanner" --delete --backup 'C:\TarnelReadOnly\backup.reg' > "$work/readonly.out" 2> "$work/readonly.err"
status=$?
[ "$status" -eq 2 ] || fail "a backup folder that cannot be written gave status $status, expected 2"
grep -q 'Cannot create file C:\\TarnelReadOnly\\backup.reg (the backup file); nothing deleted' "$work/readonly.err" ||
  fail "the message does not say why: $(cat "$work/readonly.err")"
dump "$work/after-readonly.dump"
cmp -s "$work/before.dump" "$work/after-readonly.dump" || fail "something was deleted without a backup"
chattr -i "$readonly_folder"

start=$(now)
wine "$scanner" --delete --backup 'C:\TarnelDemo\backup.reg' --format json > "$work/delete.json" 2> "$work/delete.err"
delete_status=$?
delete_seconds=$(echo "$(now) - $start" | bc)
[ "$delete_status" -eq 1 ] || [ "$delete_status" -eq 4 ] || fail "--delete exited $delete_status"
dump "$work/after-delete.dump"
python3 - "$work" "$root" <<'PY' || failed=1
import json, sys
work, root = sys.argv[1], sys.argv[2]
result = json.load(open(f"{work}/delete.json"))
deleted = [d["path"] for d in result["deleted"]]
refused = result["refused"]
print(f"--delete: {result['summary']['problems']} problems, {len(deleted)} deleted, {len(refused)} refused")
for r in refused:
    print(f"  refused: {r['path']}: {r['reason']}")
def blocks(name):
    out, key = {}, None
    for line in open(f"{work}/{name}", encoding="latin-1"):
        line = line.rstrip("\n")
        if line.startswith("    "):
            out[key].add(line)
        else:
            key = line
            out[key] = set()
    return out
before, after = blocks("before.dump"), blocks("after-delete.dump")
# Under Wine, HKEY_CLASSES_ROOT is the machine's classes key.
def machine(path):
    for alias, real in (("HKEY_CLASSES_ROOT\\", "HKEY_LOCAL_MACHINE\\Software\\Classes\\"),):
        if path.startswith(alias):
            return real + path[len(alias):]
    return path
# The 32-bit view shares some keys with the 64-bit one (type libraries,
# App Paths): the dump shows them at both paths.
def shared(path):
    return path.lower().replace("\\software\\wow6432node\\classes", "\\software\\classes").replace("\\wow6432node", "")
gone = [shared(machine(p)) for p in deleted]
ok = True
for key, values in before.items():
    if after.get(key) == values:
        continue
    if "present" in key.lower() or any("present" in v.lower() for v in values - after.get(key, set())):
        print(f"FAIL: a healthy twin was touched: {key}"); ok = False
    if not any(shared(key) == g or shared(key).startswith(g + "\\") for g in gone):
        print(f"FAIL: changed, but not by a deletion that --delete reported: {key}"); ok = False
for key in after:
    if key not in before:
        print(f"FAIL: appeared: {key}"); ok = False
# Problems are named as the registry stores each name (Wine's prefix: the
# classes' Typelib table); the lists spell the names as Windows stores them.
planted = {l.split("\t")[0].lower() for l in open(f"{root}/data/demo/expected-problems.txt") if l.strip()}
baseline = {l.split("\t")[0].lower() for l in open(f"{root}/data/demo/baseline-findings.txt") if l.strip() and not l.startswith("#")}
problems = {p["path"].lower() for p in result["problems"]}
if not planted <= problems:
    print(f"FAIL: planted problems not found: {sorted(planted - problems)}"); ok = False
if problems - planted - baseline:
    print(f"FAIL: problems found that are neither planted nor the bare prefix's: {sorted(problems - planted - baseline)}"); ok = False
sys.exit(0 if ok else 1)
PY
wine "$scanner" > "$work/scan-after.txt" 2>&1
remaining=$(python3 "$root/scripts/problem-records.py" "$work/scan-after.txt" | wc -l)
refused=$(python3 -c 'import json,sys; print(len(json.load(open(sys.argv[1]))["refused"]))' "$work/delete.json")
[ "$remaining" -eq "$refused" ] || fail "a scan after --delete finds $remaining problems; $refused were refused"

# Back through --restore.
wine "$scanner" --restore 'C:\TarnelDemo\backup.reg' > "$work/restore.out" 2>&1 || fail "--restore exited $?: $(cat "$work/restore.out")"
dump "$work/after-restore.dump"
diff -u "$work/before.dump" "$work/after-restore.dump" > "$work/restore.diff" || fail "--restore did not give everything back ($work/restore.diff)"

# Deleted again, then back through Wine's registry editor.
wine "$scanner" --delete --backup 'C:\TarnelDemo\backup2.reg' > "$work/delete2.out" 2>&1
wine_merge "$prefix/drive_c/TarnelDemo/backup2.reg"
dump "$work/after-regedit.dump"
diff -u "$work/before.dump" "$work/after-regedit.dump" > "$work/regedit.diff" || fail "regedit /s did not give everything back ($work/regedit.diff)"

# The history: both --delete runs, newest first, with their counts; a
# third run, then --restore latest gives back exactly what it deleted.
wine "$scanner" --backups > "$work/backups.txt" 2>&1 || fail "--backups exited $?"
wine "$scanner" --backups --format json > "$work/backups.json" 2>&1 || fail "--backups --format json exited $?"
wine "$scanner" --backups --format tsv > "$work/backups.tsv" 2>&1 || fail "--backups --format tsv exited $?"
python3 - "$work" <<'PY' || failed=1
import json, sys
work = sys.argv[1]
backups = json.load(open(f"{work}/backups.json"))["backups"]
deleted = len(json.load(open(f"{work}/delete.json"))["deleted"])
# Backups of the current folder the history lacks follow the recorded ones.
backups = [b for b in backups if b["recorded"]]
files = [b["file"] for b in backups]
ok = files == ["C:\\TarnelDemo\\backup2.reg", "C:\\TarnelDemo\\backup.reg"]
if not ok:
    print(f"FAIL: --backups lists {files}")
for b in backups:
    name = b["file"].split("\\")[-1]
    raw = open(f"{work}/prefix/drive_c/TarnelDemo/{name}", "rb").read()
    text = raw.decode("latin-1").replace("\r\n", "\n")
    keys = sum(1 for l in text.split("\n") if l.startswith("["))
    values = sum(1 for l in text.split("\n") if l[:1] in ('"', "@"))
    print(f"--backups: {name}: {b['made_by']}, {b['problems']} problems, {b['keys']} keys, {b['values']} values, {b['size']} bytes, {b['state']}")
    if (b["made_by"], b["problems"], b["keys"], b["values"], b["size"]) != ("--delete", deleted, keys, values, len(raw)):
        print(f"FAIL: the record of {name} differs from its file: {b}"); ok = False
tsv = open(f"{work}/backups.tsv", encoding="latin-1").read().replace("\r\n", "\n").split("\n")
if tsv[0] != "time\tmade_by\tproblems\trefused\tpartly\tkeys\tvalues\tsize\tstate\tfile" or len([l for l in tsv[1:] if l]) < 2:
    print(f"FAIL: --backups --format tsv: {tsv[:3]}"); ok = False
sys.exit(0 if ok else 1)
PY
grep -q 'backup2.reg' <(head -1 "$work/backups.txt") || fail "--backups does not begin with the newest: $(head -2 "$work/backups.txt")"
wine "$scanner" --delete --backup 'C:\TarnelDemo\backup3.reg' > "$work/delete3.out" 2>&1
wine "$scanner" --restore latest > "$work/restore-latest.out" 2>&1 || fail "--restore latest exited $?: $(cat "$work/restore-latest.out")"
grep -q 'Restored from C:\\TarnelDemo\\backup3.reg' "$work/restore-latest.out" || fail "--restore latest: $(cat "$work/restore-latest.out")"
dump "$work/after-restore-latest.dump"
diff -u "$work/before.dump" "$work/after-restore-latest.dump" > "$work/restore-latest.diff" ||
  fail "--restore latest did not give everything back ($work/restore-latest.diff)"

# A malformed backup writes nothing and names its line.
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\TarnelNew]\r\n"a"="1"\r\n"b"=nonsense\r\n' > "$prefix/drive_c/TarnelDemo/bad.reg"
wine "$scanner" --restore 'C:\TarnelDemo\bad.reg' > /dev/null 2> "$work/bad.err"
status=$?
[ "$status" -eq 2 ] && grep -q 'bad.reg: line 5' "$work/bad.err" || fail "a malformed backup: status $status, $(cat "$work/bad.err")"
"${tool[@]}" reg query 'HKCU\Software\TarnelNew' >/dev/null 2>&1 && fail "a malformed backup wrote a key"

printf 'times: scan alone %.1f s, --delete (scan, backup, delete) %.1f s\n' "$scan_seconds" "$delete_seconds"
[ $failed -eq 0 ] && echo "delete: planted entries deleted and given back three times (the last by --restore latest); healthy twins untouched"
exit $failed
