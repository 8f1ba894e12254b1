#!/usr/bin/env bash
# Delete All in the window against TarnelScan's --delete on the same planted
# problems, under Wine and Xvfb in a throwaway prefix.
#
#   scripts/delete-all-timing.sh [problems]     (default 20000)
#
# TIMING_PROGRAM names another window timing program of tests/app
# (scripts/rescan-timing.sh runs RescanTiming).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/win64"
program="${TIMING_PROGRAM:-DeleteAllTiming}"
cmake --build "$build" --target "$program" >/dev/null
# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start
wine "$build/tests/app/$program.exe" "${1:-20000}"
