#!/usr/bin/env bash
# TarnelScan's lists for programs and its linter under Wine. The hostile
# demo registry is planted into the demo test's prefix; its TSV and JSON are
# read back by Python and compared with the text list byte for byte. The
# shipped knowledge base lints clean; bad ones give their findings and exit
# status.
#   formats_test.sh SCANNER.EXE WORK_FOLDER (the demo test's)
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
scanner="$1"
work="$(cd "$2" && pwd)"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$work/demo-test-prefix"
[ -f "$WINEPREFIX/system.reg" ] || { echo "FAIL: no demo prefix in $work: the demo test makes it"; exit 1; }
out="$work/formats"
mkdir -p "$out"
# Wine sees the Unix root as drive Z:.
windows_path() { local path="Z:$1"; echo "${path//\//\\}"; }

wine_merge_for "$scanner" "$root/data/demo/hostile.reg"
for format in text tsv json; do
  wine "$scanner" --format "$format" > "$out/list.$format" 2> "$out/list.$format.err"
done
failed=0
python3 "$root/tests/cli/formats_check.py" "$out/list.text" "$out/list.tsv" "$out/list.json" || failed=1
# The manifest's UTF-8 code page took effect: names and paths are UTF-8.
grep -q '"code_page": 65001,' "$out/list.json" || { echo "FAIL: the scanner does not run in UTF-8"; failed=1; }

# lint FILE EXPECTED_STATUS: the findings, line ends made LF.
lint() {
  wine "$scanner" --lint ${1:+"$(windows_path "$1")"} > "$out/lint.out" 2>&1
  local status=$?
  [ "$status" -eq "$2" ] || { echo "FAIL: --lint $1 exited $status, expected $2"; failed=1; }
  tr -d '\r' < "$out/lint.out"
}
[ -z "$(lint '' 0)" ] || { echo "FAIL: the shipped knowledge base does not lint clean:"; cat "$out/lint.out"; failed=1; }

printf '[PATHS1]\r\nHKEY_CURRENT_USER\\Run=Run,x,LD_\r\nHKEY_CLASSES_ROOT\\*=All,1,FILEDEF_\r\n' > "$out/warn.ini"
printf '[PATHS1]\r\nHKCU\\Run=Run,0,LD_\r\nHKEY_CURRENT_USER\\Run=Run,0,FILE_ \r\n' > "$out/bad.ini"
warn="$(windows_path "$out/warn.ini")"
bad="$(windows_path "$out/bad.ini")"
expected="$warn:2: warning: the level \"x\" reads as 0 (it is not a number): problems keep the key and lose only their bad values
$warn:3: warning: the wildcard below HKEY_CLASSES_ROOT takes the class tables CLSID, Interface and TypeLib as well: a wildcard leaves them out only where the pattern goes on below it"
diff <(echo "$expected") <(lint "$out/warn.ini" 1) || { echo "FAIL: the warnings differ (- expected)"; failed=1; }
expected="$bad:2: error: unknown root name \"HKCU\": the scanner opens no key for the entry (a root name is spelled as HKEY_CURRENT_USER is)
$bad:3: error: FILE_ needs a parameter, the name of the value to look at (Description,Level,FILE_,ValueName)"
diff <(echo "$expected") <(lint "$out/bad.ini" 2) || { echo "FAIL: the errors differ (- expected)"; failed=1; }

wineserver -k 2>/dev/null
[ $failed -eq 0 ] && echo "formats: --lint clean, warnings and errors as expected"
exit $failed
