#!/usr/bin/env bash
# The demo, end to end on a fresh Wine prefix: the bare prefix gives only
# the findings explained in baseline-findings.txt, the planted stale entries
# are found exactly, their healthy twins are not, what the bare prefix
# already had is still there, and the results file is written.
#   demo_test.sh SCANNER.EXE WORK_FOLDER
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
scanner="$1"
work="$(mkdir -p "$2" && cd "$2" && pwd)"
prefix="$work/demo-test-prefix"
rm -rf "$prefix" && mkdir -p "$work"

"$root/scripts/demo-scan.sh" "$scanner" "$prefix" --baseline > "$work/baseline.txt"
"$root/scripts/demo-scan.sh" "$scanner" "$prefix" > "$work/demo.txt" 2> "$work/demo.err"
status=$?
WINEPREFIX="$prefix" wineserver -k 2>/dev/null

records() { python3 "$root/scripts/problem-records.py" "$1"; }
records "$work/baseline.txt" > "$work/baseline.records"
records "$work/demo.txt" > "$work/demo.records"
grep -vxFf "$work/baseline.records" "$work/demo.records" > "$work/planted.records"

cp "$root/data/demo/expected-problems.txt" "$work/expected.records"

failed=0
# Problems are named as the registry stores each name, and Wine's prefix
# stores the classes' type-library table as Typelib: the list, spelled as
# Windows stores the names, is compared without regard to letter case.
if ! diff -u -i "$work/expected.records" "$work/planted.records"; then
  echo "FAIL: the problems of the demo differ from the expected ones (- expected, + found)"
  failed=1
fi
if grep -vxFf "$work/demo.records" "$work/baseline.records"; then
  echo "FAIL: problems of the bare prefix went missing after planting"
  failed=1
fi
grep -v '^#' "$root/data/demo/baseline-findings.txt" | cut -f1,2 > "$work/accepted.records"
if grep -vxFf "$work/accepted.records" "$work/baseline.records"; then
  echo "FAIL: the bare prefix gave the findings above, which data/demo/baseline-findings.txt does not explain"
  failed=1
fi
if grep -q 'Present\|0000000000[0-2][0-9]}' "$work/planted.records"; then
  echo "FAIL: a healthy twin was reported"
  failed=1
fi
if [ -s "$work/demo.err" ]; then
  echo "FAIL: the scanner wrote to standard error, which is not a console here:"
  head -5 "$work/demo.err"
  failed=1
fi
[ "$status" -eq 1 ] || { echo "FAIL: exit status $status, expected 1 (problems found)"; failed=1; }
results="$prefix/drive_c/TarnelDemo/results.reg"
if ! head -1 "$results" 2>/dev/null | grep -qx $'REGEDIT4\r'; then
  echo "FAIL: no REGEDIT4 results file at $results"
  failed=1
elif ! grep -q 'TarnelDemoGone.exe' "$results"; then
  echo "FAIL: the results file lacks the planted problems"
  failed=1
fi
[ $failed -eq 0 ] && echo "demo: $(wc -l < "$work/planted.records") planted problems found, no healthy twin reported"
exit $failed
