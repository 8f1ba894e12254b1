#!/usr/bin/env bash
# What TarnelScan --delete costs on Wine's own registry, for one or more
# builds taken in turn on the same plant: N/2 application paths whose file
# is gone (key problems) and N/2 documents whose file is gone (value
# problems), merged afresh before every run in a throwaway prefix.
#
#   scripts/delete-cost.sh [problems] [rounds] [TarnelScan.exe ...]
#
# Defaults: 20000 problems, 2 rounds, build/win64's TarnelScan.exe. Each
# round times a scan alone and a scan with --delete for every program; the
# delete part is their difference. Give an older build's TarnelScan.exe
# beside the current one to see what a change to the deletion costs.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
problems="${1:-20000}"
rounds="${2:-2}"
shift $(($# < 2 ? $# : 2))
programs=()
for program in "$@"; do programs+=("$(realpath "$program")"); done
[ ${#programs[@]} -gt 0 ] || programs=("$root/build/win64/src/cli/TarnelScan.exe")

work="$(mktemp -d "$root/build/delete-cost.XXXXXX")"
export WINEPREFIX="$work/prefix"
# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$work/prefix"
trap 'wine_env_stop; rm -rf "$work"' EXIT
wine_env_start

printf '[PATHS1]\r\n%s\r\n%s\r\n' \
  'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\App Paths\*=Application paths,1,FILEDEF_' \
  'HKEY_CURRENT_USER\Software\TarnelCost\Documents\*=Documents,0,FILEDEF_' >"$work/Knowbase.ini"
python3 - "$problems" >"$work/plant.reg" <<'EOF'
import sys
n = int(sys.argv[1])
out = ["REGEDIT4", ""]
for i in range(n - n // 2):
    out += [r"[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\App Paths\Gone%d.exe]" % i,
            r'@="C:\\TarnelNowhere\\Gone%d.exe"' % i, ""]
for i in range(n // 2):
    out += [r"[HKEY_CURRENT_USER\Software\TarnelCost\Documents\Doc%d]" % i,
            r'@="C:\\TarnelNowhere\\Doc%d.txt"' % i, '"Kept"="stays"', ""]
sys.stdout.write("\r\n".join(out) + "\r\n")
EOF

# Seconds one TarnelScan run takes; its exit code 1 means problems found.
timed_run() {
  local start end
  start=$(date +%s.%N)
  (cd "$work" && wine "$@" >"$work/out.txt" 2>&1) || [ $? -eq 1 ] || { cat "$work/out.txt" >&2; exit 1; }
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}

rules="$(winepath -w "$work/Knowbase.ini")"
printf '%-60s %6s %9s %9s %9s\n' program round scan scan+del delete
for round in $(seq "$rounds"); do
  for program in "${programs[@]}"; do
    wine_merge "$work/plant.reg"
    scan=$(timed_run "$program" --knowbase "$rules")
    both=$(timed_run "$program" --knowbase "$rules" --delete --backup "$(winepath -w "$work/backup-$round.reg")")
    deleted=$(sed -n 's/^Deleted: \([0-9]*\).*/\1/p' "$work/out.txt" | tr -d '\r')
    printf '%-60s %6s %9.2f %9.2f %9.2f\n' "$(printf %s "$program" | tail -c 60)" "$round" "$scan" "$both" "$(awk -v a="$scan" -v b="$both" 'BEGIN { print b - a }')"
    [ "$deleted" = "$problems" ] || { echo "deleted ${deleted:-none} of $problems" >&2; tail "$work/out.txt" >&2; exit 1; }
    rm -f "$work/backup-$round.reg"
  done
done
