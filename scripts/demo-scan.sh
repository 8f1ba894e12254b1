#!/usr/bin/env bash
# Plants the demo's stale entries and their healthy twins in a Wine prefix
# and scans it with the headless scanner.
#   demo-scan.sh SCANNER.EXE PREFIX [--baseline]
# With --baseline the prefix is scanned as it is, without planting.
# Prints the scanner's output; exits with its exit status.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
scanner="$1"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$2"
baseline="${3:-}"

wine_prefix_fit "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wine cmd /c exit >/dev/null 2>&1
fi
demo="$WINEPREFIX/drive_c/TarnelDemo"
if [ "$baseline" != "--baseline" ]; then
  # The files the healthy twins name; the stale entries name files that
  # are nowhere.
  mkdir -p "$demo/Installed"
  for f in present.dll present.exe present.tlb present.cpl readme.txt \
           TarnelDemoPresent.hlp TarnelDemoPresent.chm; do
    printf 'Tarnel demo file\r\n' > "$demo/$f"
  done
  wine_merge "$root/data/demo/demo.reg"
  mkdir -p "$demo"
fi
mkdir -p "$demo"
wine "$scanner" --save 'C:\TarnelDemo\results.reg'
