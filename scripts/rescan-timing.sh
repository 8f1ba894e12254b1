#!/usr/bin/env bash
# A second scan in the window over planted problems, timed, with
# screenshots in build/win64/tests/app/screenshots (rescan-*.bmp).
#
#   scripts/rescan-timing.sh [problems]     (default 20000)
TIMING_PROGRAM=RescanTiming exec "$(dirname "${BASH_SOURCE[0]}")/delete-all-timing.sh" "$@"
