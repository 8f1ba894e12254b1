#!/usr/bin/env bash
# A 64-bit Windows, as a fresh WoW64 Wine prefix is one: entries of both
# registry views, a per-user class, files that only one of the two System32
# folders holds, a drive that is not there and a share. The scanner of
# either width reports exactly the stale entries (one list, so both builds
# give the same), each 32-bit-view problem named by its Wow6432Node path;
# and its results file, merged by the system's (64-bit) registry editor
# after the stale entries were deleted, gives both views back exactly.
#   views_test.sh SCANNER.EXE WORK_FOLDER
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
here="$root/tests/cli/views"
scanner="$1"
work="$(mkdir -p "$2" && cd "$2" && pwd)"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$work/views-test-prefix"
wineserver -k 2>/dev/null
rm -rf "$WINEPREFIX"
wine_prefix_fit "$WINEPREFIX"
wine cmd /c exit >/dev/null 2>&1
records() { python3 "$root/scripts/problem-records.py" "$1"; }

wine "$scanner" > "$work/views-baseline.txt" 2>&1
drive_c="$WINEPREFIX/drive_c"
mkdir -p "$drive_c/TarnelViews"
printf 'Tarnel views file\r\n' > "$drive_c/TarnelViews/present.dll"
printf 'Tarnel views file\r\n' > "$drive_c/windows/system32/tarnelviews-native.exe"
printf 'Tarnel views file\r\n' > "$drive_c/windows/syswow64/tarnelviews-wow.exe"
printf 'Tarnel views file\r\n' > "$drive_c/windows/syswow64/tarnelviews.tlb"
wine_merge "$here/planted.reg"
wine "$scanner" --save 'C:\TarnelViews\results.reg' > "$work/views-planted.txt" 2>&1

failed=0
records "$work/views-baseline.txt" > "$work/views-baseline.records"
records "$work/views-planted.txt" | grep -vxFf "$work/views-baseline.records" | sort > "$work/views-found.records"
# Problems are named as the registry stores each name, and Wine's prefix
# stores the classes' type-library table as Typelib: the list, spelled as
# Windows stores the names, is compared without regard to letter case.
if ! diff -u -i <(sort "$here/expected.txt") "$work/views-found.records"; then
  echo "FAIL: the problems found differ from the stale entries planted (- expected, + found)"
  failed=1
fi

# Both views of every key the deletions touch, as the system's tool shows
# them (one command interpreter for all the queries: each Wine start costs).
dump() {
  local keys=('HKLM\Software\Classes\CLSID\{7A4E1DE0-0000-4000-8000-0000000000C3}'
              'HKLM\Software\Classes\CLSID\{7A4E1DE0-0000-4000-8000-0000000000C5}'
              'HKLM\Software\Classes\TarnelViews.Gone'
              'HKLM\Software\Classes\TypeLib\{7A4E1DE0-0000-4000-8000-0000000000D1}'
              'HKLM\Software\Classes\TypeLib\{7A4E1DE0-0000-4000-8000-0000000000D2}'
              'HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
              'HKCU\Software\Microsoft\Windows\CurrentVersion\Run')
  local key view batch=""
  for key in "${keys[@]}"; do
    for view in 64 32; do batch+="echo == $key /reg:$view & reg query $key /s /reg:$view & "; done
  done
  wine cmd /c "${batch% & }" 2>&1 | tr -d '\r'
}
dump > "$work/views-before.dump"
# What Delete All removes for these problems, each in the view it lies in.
classes='HKLM\Software\Classes'
run='Microsoft\Windows\CurrentVersion\Run'
wine cmd /c "reg delete $classes\TarnelViews.Gone /f /reg:64 & \
reg delete $classes\CLSID\{7A4E1DE0-0000-4000-8000-0000000000C5} /f /reg:64 & \
reg delete $classes\CLSID\{7A4E1DE0-0000-4000-8000-0000000000C3} /f /reg:32 & \
reg delete $classes\TypeLib\{7A4E1DE0-0000-4000-8000-0000000000D1}\1.0\0\win64 /f /reg:64 & \
reg delete $classes\TypeLib\{7A4E1DE0-0000-4000-8000-0000000000D2}\1.0\0\win32 /f /reg:64 & \
reg delete HKLM\Software\$run /v TarnelViewsGone64 /f /reg:64 & \
reg delete HKLM\Software\$run /v TarnelViewsGone32 /f /reg:32 & \
reg delete HKCU\Software\$run /v TarnelViewsGone /f" >/dev/null 2>&1
if diff -q "$work/views-before.dump" <(dump) >/dev/null; then
  echo "FAIL: deleting the stale entries changed nothing: the dump does not show them"
  failed=1
fi
wine_merge "$drive_c/TarnelViews/results.reg"
if ! diff -u "$work/views-before.dump" <(dump); then
  echo "FAIL: merging the results file did not give both views back as they were (- before, + after)"
  failed=1
fi
wineserver -k 2>/dev/null
[ $failed -eq 0 ] && echo "views: $(wc -l < "$work/views-found.records") stale entries found in both views, none of the valid ones; both views restored"
exit $failed
