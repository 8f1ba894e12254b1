#!/usr/bin/env bash
# Builds the fuzz targets of the portable core (scripts/build.sh fuzz) and
# runs each for its share of SECONDS_TOTAL (default 60), starting from its
# seeds: fuzz/corpus/<target>/ and the shipped files that are its kind of
# input. Exits non-zero when any target crashed, broke one of its checks,
# hung or ran out of memory; the input that did it is left in
# build/fuzz/crashes/ and the target's output in build/fuzz/<target>.log.
#
#   scripts/fuzz.sh [SECONDS_TOTAL] [TARGET...]
#
# A fixed seed makes a run repeat the same inputs, as far as time allows.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
total="${1:-60}"
case "$total" in
  '' | *[!0-9]*) echo "usage: fuzz.sh [SECONDS_TOTAL] [TARGET...]" >&2; exit 2 ;;
esac
shift $(($# > 0 ? 1 : 0))
out="$root/build/fuzz"

"$root/scripts/build.sh" fuzz || exit 1

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in "$out"/fuzz/*_fuzz; do targets+=("$(basename "$program")"); done
fi
share=$((total / ${#targets[@]}))
[ "$share" -ge 1 ] || share=1

# The shipped files each target takes as its own kind of input.
shipped_seeds() {
  case "$1" in
    ini_file_fuzz) echo data/Knowbase.ini data/lang/lang.ini data/lang/german.lng ;;
    langv_fuzz) echo data/lang/english.lng data/lang/russian.lng ;;
    regedit4_reader_fuzz) echo data/demo/demo.reg ;;
    hive_fuzz) echo tests/fixtures/hives/minimal ;;
  esac
}

# The last coverage line of a log: "cov: N ft: N corp: N/size".
figure() { grep -o "$1: [^ ]*" "$2" | tail -1 | cut -d' ' -f2; }

mkdir -p "$out/crashes"
status=0
for target in "${targets[@]}"; do
  corpus="$out/corpus/$target"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  cp "$root/fuzz/corpus/$target"/* "$corpus"/ 2>/dev/null
  for seed in $(shipped_seeds "$target"); do cp "$root/$seed" "$corpus"/; done
  log="$out/$target.log"
  nice "$out/fuzz/$target" -seed=1 -max_total_time="$share" -timeout=10 -rss_limit_mb=1024 \
    -print_final_stats=1 -artifact_prefix="$out/crashes/$target-" "$corpus" >"$log" 2>&1
  rc=$?
  printf '%-22s %5s s %11s runs  cov %5s  ft %6s  corpus %s\n' "$target" "$share" \
    "$(figure stat::number_of_executed_units "$log")" "$(figure cov "$log")" "$(figure ft "$log")" \
    "$(figure corp "$log")"
  if [ $rc -ne 0 ]; then
    status=1
    grep -E '^==[0-9]+==|runtime error|property does not hold|Test unit written|^SUMMARY' "$log" | head -20
    echo "$target FAILED (exit $rc); full output in $log" >&2
  fi
done
exit $status
