#!/usr/bin/env bash
# The demo: builds the headless scanner, plants the demo's stale registry
# entries (and their healthy twins) in a Wine prefix of its own, scans it
# and lists the problems found. The prefix is kept for the next run.
#   demo.sh            the headless scan, then a screenshot of the window program's scan
#   demo.sh --window   the same, then the window program on your display
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/win64" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/win64" --target TarnelScan Tarnel >/dev/null

prefix="$root/build/demo-prefix"
echo "Scanning the demo registry in the Wine prefix $prefix ..."
set +e
"$root/scripts/demo-scan.sh" "$root/build/win64/src/cli/TarnelScan.exe" "$prefix"
status=$?
set -e
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
echo "(that is $prefix/drive_c/TarnelDemo/results.reg on this machine)"
tarnel="$root/build/win64/src/app/Tarnel.exe"
"$root/scripts/demo-window.sh" "$tarnel" "$prefix" "$root/build/demo-window.png" || true
if [ "${1:-}" = "--window" ]; then
  "$root/scripts/demo-window.sh" "$tarnel" "$prefix" --show
fi
# 1 means problems were found, which is what the demo is for.
[ $status -le 1 ]
