#!/usr/bin/env bash
# TarnelScan --delete against a registry that changes under it, on a fresh
# Wine prefix: a writer changes entries the moment the backup file appears,
# while thousands of stale keys are still being deleted, and puts back the
# missing file of one more. Every changed entry must be refused and left with
# its new data, the one valid now refused as such and left as it was, the
# backup must hold none of them, and no line may be lost: what the registry
# lacks afterwards, the backup gives back. Then two runs given
# one --backup name at once (exactly one refuses), restores that are
# refused, and the time of --delete.
#   recheck_test.sh SCANNER.EXE WORK_FOLDER [STALE_KEYS]
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
scanner="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
work="$(mkdir -p "$2" && cd "$2" && pwd)/recheck"
stale="${3:-10000}"
prefix="$work/prefix"
rm -rf "$work" && mkdir -p "$work"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$prefix"
trap 'wineserver -k 2>/dev/null' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }
now() { date +%s.%N; }
tool=(env WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64)
dump() {
  "${tool[@]}" reg export 'HKCU\Software\TarnelRace' "$(winepath -w "$work/race.reg")" /y >/dev/null 2>&1
  python3 "$root/tests/cli/registry_dump.py" "$work/race.reg" > "$1"
  rm -f "$work/race.reg"
}

wine_prefix_fit "$prefix"
wine cmd /c exit >/dev/null 2>&1
wineserver -w
wineserver -p
wine cmd /c exit >/dev/null 2>&1
folder="$prefix/drive_c/Race"
mkdir -p "$folder"
printf '[PATHS1]\r\nHKEY_CURRENT_USER\\Software\\TarnelRace\\Keys\\*=race keys,1,FILEDEF_\r\n'`
      `'HKEY_CURRENT_USER\\Software\\TarnelRace\\Values\\*=race values,0,FILE_,v\r\n' > "$folder/Race.ini"

# Keys K00000.. (deleted in this order) whose default names a missing file,
# and value problems after them; the writer's targets are the last ones.
plant() {
  python3 - "$stale" > "$work/plant.reg" <<'PY'
import sys
n = int(sys.argv[1])
print("REGEDIT4\r")
for i in range(n):
    print(f"[HKEY_CURRENT_USER\\Software\\TarnelRace\\Keys\\K{i:05d}]\r\n@=\"C:\\\\Missing\\\\k{i}.exe\"\r\n\"data\"=dword:{i:08x}\r")
for i in range(10):
    print(f"[HKEY_CURRENT_USER\\Software\\TarnelRace\\Values\\V{i}]\r\n\"v\"=\"C:\\\\Missing\\\\v{i}.exe\"\r\n\"keep\"=\"x\"\r")
PY
  wine_merge "$work/plant.reg"
}
last=$((stale - 1))
K() { printf 'HKEY_CURRENT_USER\\Software\\TarnelRace\\Keys\\K%05d' "$1"; }
V='HKEY_CURRENT_USER\Software\TarnelRace\Values'
# A value added, a subkey added, a value retyped, a value made valid; on
# key problems and on value problems.
cat > "$work/changes.reg" <<EOF
REGEDIT4

[$(K $last)]
"added"="new"

[$(K $((last - 1)))\\NewSub]
"s"="new"

[$(K $((last - 2)))]
@=hex(2):43,3a,5c,4d,69,73,73,69,6e,67,5c,6b,2e,65,78,65,00

[$(K $((last - 3)))]
@="C:\\\\windows\\\\notepad.exe"

[$V\\V9]
"v"=hex(2):43,3a,5c,4d,69,73,73,69,6e,67,5c,76,39,2e,65,78,65,00

[$V\\V8]
"v"="C:\\\\windows\\\\notepad.exe"
EOF
plant
dump "$work/before.dump"
cd "$folder"

# The writer waits for the backup file, then puts back one missing file and
# merges the changes at once.
( while [ ! -e "$folder/backup.reg" ]; do sleep 0.002; done
  mkdir -p "$prefix/drive_c/Missing" && : > "$prefix/drive_c/Missing/k$((last - 4)).exe"
  wine_merge "$work/changes.reg"
  now > "$work/changed-at" ) &
writer=$!
start=$(now)
wine "$scanner" --knowbase 'C:\Race\Race.ini' --delete --backup 'C:\Race\backup.reg' --format json \
  > "$work/delete.json" 2> "$work/delete.err"
status=$?
end=$(now)
wait "$writer"
printf 'race: --delete of %d stale keys took %.1f s; the writer finished %.1f s before it ended\n' \
  "$stale" "$(echo "$end - $start" | bc)" "$(echo "$end - $(cat "$work/changed-at")" | bc)"
[ "$status" -eq 4 ] || fail "--delete exited $status, expected 4 (some refused): $(head -c 300 "$work/delete.err")"
dump "$work/after.dump"

# No line lost: every line before, with the writer's changes, is in the
# registry now or comes back from the backup.
# It keeps what changed since (exit 4) and says so.
wine "$scanner" --restore 'C:\Race\backup.reg' > "$work/restore.out" 2>&1
status=$?
[ "$status" -eq 4 ] || fail "--restore exited $status, expected 4 (changed values kept)"
grep -q 'Changed since the deletion: kept:' "$work/restore.out" || fail "--restore did not list what it kept"
dump "$work/restored.dump"
cp "$folder/backup.reg" "$work/backup.reg"
python3 "$root/tests/cli/race_check.py" "$work" "$(K "$last")" "$(K $((last - 1)))" "$(K $((last - 2)))" \
  "$(K $((last - 3)))" "$V\\V9" "$V\\V8" "$(K $((last - 4)))" || failed=1
rm -rf "$prefix/drive_c/Missing"

# Two runs given one backup name at once: exactly one refuses (status 2,
# nothing deleted), and the other's backup holds all it deleted.
"${tool[@]}" reg delete 'HKCU\Software\TarnelRace' /f >/dev/null 2>&1
stale=5000 plant
dump "$work/before-two.dump"
wine "$scanner" --knowbase 'C:\Race\Race.ini' --delete --backup 'C:\Race\same.reg' > "$work/one.out" 2> "$work/one.err" &
one=$!
wine "$scanner" --knowbase 'C:\Race\Race.ini' --delete --backup 'C:\Race\same.reg' > "$work/two.out" 2> "$work/two.err" &
two=$!
wait "$one"; one_status=$?
wait "$two"; two_status=$?
echo "two runs, one name: exit statuses $one_status and $two_status"
refusals=0
for s in "$one_status" "$two_status"; do [ "$s" -eq 2 ] && refusals=$((refusals + 1)); done
[ "$refusals" -eq 1 ] || fail "two runs with one --backup: statuses $one_status and $two_status, expected exactly one 2"
grep -h 'nothing deleted' "$work/one.err" "$work/two.err" | head -1
ls "$folder"/same.reg* | grep -v '^'"$folder"'/same.reg$' && fail "a temporary file was left beside same.reg"
wine "$scanner" --restore 'C:\Race\same.reg' > /dev/null 2>&1 || fail "--restore of same.reg exited $?"
dump "$work/after-two.dump"
diff -q "$work/before-two.dump" "$work/after-two.dump" >/dev/null || fail "same.reg does not give back what was deleted"

# Restores that write nothing: deletion lines, a root-key block, and a
# backup of ours cut at a line end, inside a dword and inside a hex line.
cp "$folder/same.reg" "$folder/whole.reg"
python3 - "$folder" <<'PY'
import sys
folder = sys.argv[1]
whole = open(f"{folder}/whole.reg", "rb").read()
open(f"{folder}/cut-line.reg", "wb").write(whole[: whole.index(b"\r\n", len(whole) // 2) + 2])
at = whole.index(b"=dword:") + 11
open(f"{folder}/cut-dword.reg", "wb").write(whole[:at])
open(f"{folder}/delete-key.reg", "wb").write(b"REGEDIT4\r\n\r\n[-HKEY_CURRENT_USER\\Software\\TarnelRace]\r\n")
open(f"{folder}/delete-value.reg", "wb").write(
    b"REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\TarnelRace\\Values\\V0]\r\n\"keep\"=-\r\n")
open(f"{folder}/root.reg", "wb").write(b"REGEDIT4\r\n\r\n[HKEY_CURRENT_USER]\r\n\"TarnelRoot\"=\"1\"\r\n")
hexed = whole.replace(b"\"data\"=dword:00000000", b"\"data\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,\\\r\n  10,11")
open(f"{folder}/cut-hex.reg", "wb").write(hexed[: hexed.index(b"0a,0b") + 3])
PY
for file in cut-line cut-dword cut-hex delete-key delete-value root; do
  wine "$scanner" --restore "C:\\Race\\$file.reg" > /dev/null 2> "$work/$file.err"
  status=$?
  [ "$status" -eq 2 ] || fail "--restore $file.reg exited $status, expected 2"
  echo "$file.reg: $(sed 's/^TarnelScan: //' "$work/$file.err")"
done
dump "$work/after-refusals.dump"
diff -q "$work/after-two.dump" "$work/after-refusals.dump" >/dev/null || fail "a refused restore changed the registry"
"${tool[@]}" reg query 'HKCU' /v TarnelRoot >/dev/null 2>&1 && fail "a root-key block was written"
wine "$scanner" --restore 'C:\Race\delete-value.reg' --allow-deletions > "$work/allowed.out" 2>&1 ||
  fail "--allow-deletions exited $?"
grep -q 'Deleted: 0 keys, 1 value.' "$work/allowed.out" || fail "deletions not counted apart: $(cat "$work/allowed.out")"

[ $failed -eq 0 ] && echo "recheck: changed entries and one valid now refused, left and kept out of the backup, nothing lost, one of two runs refused, restores refused"
exit $failed
