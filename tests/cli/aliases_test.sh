#!/usr/bin/env bash
# Keys and values that rules reach by other names than the registry stores,
# on a fresh WoW64 Wine prefix (its own registry, not a sandbox: the names
# that Wine itself gives one key). Each stale entry is one problem, named as
# stored; --delete deletes each once and refuses none; its backup holds
# each key once, spelled as stored; and merged by the system's (64-bit)
# registry editor it gives every key and value back as it was, letter case
# included.
#   aliases_test.sh SCANNER.EXE WORK_FOLDER
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
here="$root/tests/cli/aliases"
scanner="$1"
work="$(mkdir -p "$2" && cd "$2" && pwd)"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$work/aliases-test-prefix"
wineserver -k 2>/dev/null
rm -rf "$WINEPREFIX"
wine_prefix_fit "$WINEPREFIX"
wine cmd /c exit >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
records() { python3 "$root/scripts/problem-records.py" "$1"; }
failed=0
fail() { echo "FAIL: $*"; failed=1; }

drive_c="$WINEPREFIX/drive_c"
mkdir -p "$drive_c/TarnelAliases"
cp "$here/rules.ini" "$drive_c/TarnelAliases/rules.ini"
printf 'Tarnel aliases file\r\n' > "$drive_c/TarnelAliases/present.exe"
rules='C:\TarnelAliases\rules.ini'
wine "$scanner" --knowbase "$rules" > "$work/aliases-baseline.txt" 2>&1
wine_merge "$here/planted.reg"
wine "$scanner" --knowbase "$rules" > "$work/aliases-planted.txt" 2>&1

records "$work/aliases-baseline.txt" > "$work/aliases-baseline.records"
records "$work/aliases-planted.txt" | grep -vxFf "$work/aliases-baseline.records" > "$work/aliases-found.records"
diff -u "$here/expected.txt" "$work/aliases-found.records" ||
  fail "the problems found differ from the stale entries planted, one each, named as stored (- expected, + found)"

# Every key the deletions touch, as the system's tool shows it.
dump() {
  local keys=('HKLM\Software\Classes\CLSID\{7A4E1DE0-0000-4000-8000-00000000A471}'
              'HKLM\Software\Classes\Wow6432Node\CLSID\{7A4E1DE0-0000-4000-8000-00000000A472}'
              'HKLM\Software\Classes\TarnelAliases.Gone'
              'HKCU\Software\TarnelAliases'
              'HKCC\Software\TarnelAliases')
  local key batch=""
  for key in "${keys[@]}"; do batch+="echo == $key & reg query $key /s /reg:64 & "; done
  wine cmd /c "${batch% & }" 2>&1 | tr -d '\r'
}
dump > "$work/aliases-before.dump"
grep -q 'InProcServer32' "$work/aliases-before.dump" || fail "the dump does not show the planted keys"

cd "$drive_c/TarnelAliases"
wine "$scanner" --knowbase "$rules" --delete --backup 'C:\TarnelAliases\backup.reg' --format json \
  > "$work/aliases-delete.json" 2> "$work/aliases-delete.err"
python3 - "$work" "$drive_c/TarnelAliases/backup.reg" <<'PY' || failed=1
import json, sys
work, backup = sys.argv[1:3]
result = json.load(open(f"{work}/aliases-delete.json"))
# What each problem deletes: the class key above its server, the values.
planted = ["HKEY_CLASSES_ROOT\\CLSID\\{7A4E1DE0-0000-4000-8000-00000000A471}",
           "HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\{7A4E1DE0-0000-4000-8000-00000000A472}",
           "HKEY_CLASSES_ROOT\\TarnelAliases.Gone",
           "HKEY_CURRENT_USER\\Software\\TarnelAliases\\Run",
           "HKEY_CURRENT_CONFIG\\Software\\TarnelAliases"]
deleted = [d["path"] for d in result["deleted"]]
refused = [r["path"] for r in result["refused"]]
ok = True
for path in planted:
    if deleted.count(path) != 1:
        print(f"FAIL: {path} deleted {deleted.count(path)} times"); ok = False
    if any(r.startswith(path) for r in refused):
        print(f"FAIL: {path} refused"); ok = False
headers = [l.rstrip("\r\n") for l in open(backup, encoding="latin-1") if l.startswith("[")]
ours = [h for h in headers if "A47" in h or "TarnelAliases" in h]
expected = ["[HKEY_CLASSES_ROOT\\CLSID\\{7A4E1DE0-0000-4000-8000-00000000A471}]",
            "[HKEY_CLASSES_ROOT\\CLSID\\{7A4E1DE0-0000-4000-8000-00000000A471}\\InProcServer32]",
            "[HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\{7A4E1DE0-0000-4000-8000-00000000A472}]",
            "[HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\{7A4E1DE0-0000-4000-8000-00000000A472}\\InprocServer32]",
            "[HKEY_CLASSES_ROOT\\TarnelAliases.Gone]",
            "[HKEY_CURRENT_USER\\Software\\TarnelAliases\\Run]",
            "[HKEY_CURRENT_CONFIG\\Software\\TarnelAliases]"]
if sorted(ours) != sorted(expected):
    print(f"FAIL: the backup's blocks of the planted keys are {ours}"); ok = False
text = open(backup, encoding="latin-1").read()
if '"CLASSID"=' not in text or '"ClassID"=' in text or '"classid"=' in text:
    print("FAIL: the backup does not name the value CLASSID as stored"); ok = False
print(f"aliases --delete: {len(deleted)} deleted, {len(refused)} refused, {len(ours)} blocks of the planted keys")
sys.exit(0 if ok else 1)
PY
if diff -q "$work/aliases-before.dump" <(dump) >/dev/null; then
  fail "--delete changed nothing the dump shows"
fi
wine_merge "$drive_c/TarnelAliases/backup.reg"
diff -u "$work/aliases-before.dump" <(dump) ||
  fail "merging the backup did not give every key and value back as stored (- before, + after)"
[ $failed -eq 0 ] && echo "aliases: $(wc -l < "$work/aliases-found.records") stale entries, each found once under its stored name, deleted once and given back exactly"
exit $failed
