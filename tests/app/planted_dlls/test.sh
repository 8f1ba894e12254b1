#!/usr/bin/env bash
# Both programs, started in a folder where a web page could have dropped
# DLLs, take none of them. Marker DLLs named version.dll, mapi32.dll and
# hhctrl.ocx lie beside the programs and in the current folder, and are
# preferred to Wine's own as Windows prefers a DLL found in the search path
# to one of the system's that is not a Known DLL. The driver uses both
# programs (scan, Send, Help > Contents); no marker may be written and each
# command must do what it does without the planted DLLs.
#   test.sh TARNEL.EXE TARNELSCAN.EXE DRIVER.EXE MARKER_DLL_FOLDER WORK_FOLDER
set -uo pipefail
wine_run="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)/scripts/wine-run"
tarnel="$1" scanner="$2" driver="$3" markers="$4" work="$5"
rm -rf "$work"
mkdir -p "$work/program" "$work/current"
cp "$tarnel" "$scanner" "$work/program/"
(cd "$(dirname "$tarnel")" && cp Tarnel.chm lang.ini *.lng "$work/program/")
# One rule, and the driver plants the one stale entry it finds.
printf '[PATHS1]\r\nHKEY_CURRENT_USER\\Software\\TarnelPlantedDlls=Planted stale entry,0,LD_\r\n' \
  > "$work/program/Knowbase.ini"
# Not version.dll beside the programs: Wine's own user32.dll imports it, so
# under Wine every program would load it from there at start, which Windows'
# user32.dll does not. That Tarnel does not import it is checked at each link.
cp "$markers/mapi32.dll" "$markers/hhctrl.ocx" "$work/program/"
cp "$markers/version.dll" "$markers/mapi32.dll" "$markers/hhctrl.ocx" "$work/current/"

windows_folder() { local path="$1/"; echo "Z:${path//\//\\}"; }  # Wine's drive Z: is the Unix root
WINEDLLOVERRIDES="version,mapi32,hhctrl.ocx=n,b" \
  "$wine_run" "$driver" "$(windows_folder "$work/program")" "$(windows_folder "$work/current")"
status=$?

for marker in "$work"/*/*.loaded; do
  [ -e "$marker" ] || continue
  echo "FAIL: ${marker#"$work"/} was loaded by: $(tr -d '\r' < "$marker" | sort -u | tr '\n' ' ')"
  status=1
done
exit $status
