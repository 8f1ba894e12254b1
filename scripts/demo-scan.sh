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
# The registry editor of the scanner's own kind: a 32-bit one writes the
# machine's keys into the 32-bit view, which a 64-bit scanner does not read.
if pe_is_64bit "$scanner"; then
  regedit=(env WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64 regedit)
else
  regedit=(wine regedit)
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
  "${regedit[@]}" /s "$(winepath -w "$root/data/demo/demo.reg" 2>/dev/null)" >/dev/null 2>&1
  mkdir -p "$demo"
fi
mkdir -p "$demo"
wine "$scanner" --save 'C:\TarnelDemo\results.reg'
