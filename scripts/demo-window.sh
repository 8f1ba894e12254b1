#!/usr/bin/env bash
# The window program on the demo prefix (made by demo-scan.sh): it starts a
# scan by itself (Autostart) and shows what it found.
#   demo-window.sh TARNEL.EXE PREFIX SCREENSHOT.png   waits for the scan, saves
#                                                     a screenshot, ends the program
#   demo-window.sh TARNEL.EXE PREFIX --show           opens it on your display
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
program="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$(cd "$2" && pwd)"
target="$3"

# The display first: Wine's first program of a session binds it to one.
if [ "$target" != "--show" ]; then
  unset DISPLAY
  x_display_start
  trap 'wineserver -k 2>/dev/null; for pid in "${wine_env_pids[@]}"; do kill "$pid" 2>/dev/null; done' EXIT
fi
settings='HKCU\Software\Vexa\Quellin'
setting() { wine reg add "$settings" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1; }
setting AutoStart 1
if [ "$target" = "--show" ]; then
  exec wine "$program"
fi

# Unattended: a known place and size, no tip of the day, a wide tree.
setting ShowTips 0
setting Left 0
setting Top 0
setting Width 900
setting Height 600
setting TrVWidth 470
setting LVWidth $(((170 << 16) | 260))
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine "$program" >"${WINEPREFIX}/demo-window.log" 2>&1 &
program_pid=$!
# The demo's scan takes a few seconds under Wine; the tree is expanded at its end.
for _ in $(seq 30); do
  sleep 1
  xwininfo -root -tree 2>/dev/null | grep -q '"Tarnel ' && break
  kill -0 "$program_pid" 2>/dev/null || { echo "the window program ended early" >&2; exit 1; }
done
sleep 6
import -window root -crop 900x600+0+0 "$target"
echo "Screenshot of the window program after its scan: $target"
