#!/usr/bin/env bash
# The scan benchmark on both back ends: the in-memory registry natively
# (times, then instruction counts under callgrind) and the system registry
# under Wine, one throwaway prefix state per size. Prints the tables and
# how each figure grows from one size to the next.
#
#   scripts/bench.sh                 sizes 10000,100000,700000 (Wine: 10000,100000)
#   BENCH_SIZES=10000,100000 scripts/bench.sh
#   BENCH_SIZES=700000 BENCH_BACKENDS=wine scripts/bench.sh   (the real-size case
#                                    under Wine alone: some 25 minutes, see README)
#   BENCH_BACKENDS="memory" scripts/bench.sh     (memory, callgrind, wine)
#   BENCH_PROBLEM_KEYS=0 scripts/bench.sh        (no registry full of problems)
#   BENCH_REPEAT=1 scripts/bench.sh              (each phase once, not best of 3)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
sizes="${BENCH_SIZES:-10000,100000,700000}"
# The real-size case takes the Wine back end some 25 minutes: only when asked.
wine_sizes="${BENCH_SIZES:-10000,100000}"
backends="${BENCH_BACKENDS:-memory callgrind wine}"
# Callgrind runs some 50 times slower: its largest size is left out by
# default.
callgrind_sizes="${BENCH_CALLGRIND_SIZES:-$(echo "$sizes" | cut -d, -f1-2)}"
# Keys of the Wine back end's registry in which every reference is stale;
# 0 leaves it out.
problem_keys="${BENCH_PROBLEM_KEYS:-110000}"
repeat="${BENCH_REPEAT:-3}"
knowbase="$root/data/Knowbase.ini"
native="$root/build/bench-native"
win64="$root/build/bench-win64"
out="$root/build/bench-results"
mkdir -p "$out"

build() {  # dir target cmake-args...
  local dir="$1" target="$2"
  shift 2
  if ! { cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNEL_TESTS=OFF "$@" &&
         cmake --build "$dir" --target $target; } >"$dir.log" 2>&1; then
    tail -30 "$dir.log"
    echo "bench.sh: build in $dir failed; see $dir.log" >&2
    exit 1
  fi
}

# Ratios of each size's figures to the previous size's, per back end.
growth() {
  awk '/^#/ || $1 == "back" || $1 == "error:" { next }
       $1 == back && $2 > 0 {
         printf "%-8s %7d -> %7d  keys x%5.2f  walk time x%5.2f  scan time x%5.2f  walk KiB x%5.2f  scan KiB x%5.2f\n",
                $1, keys, $2, $2 / keys, $6 / walk, $7 / scan, $9 / wkib, $10 / skib }
       { back = $1; keys = $2; walk = $6; scan = $7; wkib = $9; skib = $10 }' "$1"
}

# Timings depend on what else the machine runs: each table says.
load() { echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) ($(nproc) cores)"; }


for backend in $backends; do
  case "$backend" in
    memory)
      build "$native" "tarnel_bench_native tarnel_save_bench"
      echo "== in-memory registry (best of $repeat); $(load)"
      "$native/bench/tarnel_bench" --knowbase "$knowbase" --sizes "$sizes" --repeat "$repeat" --min-ms 1000 | tee "$out/memory.txt"
      growth "$out/memory.txt"
      echo "== Save as of trees of 1,000 to 100,000 keys, in memory (best of 3)"
      "$native/bench/tarnel_save_bench" | tee "$out/save-memory.txt"
      ;;
    callgrind)
      build "$native" tarnel_bench_native
      echo "== in-memory registry, instructions (callgrind)"
      rm -f "$out"/callgrind.*
      valgrind --tool=callgrind --callgrind-out-file="$out/callgrind.%p" \
        "$native/bench/tarnel_bench" --knowbase "$knowbase" --sizes "$callgrind_sizes" --repeat 1 >/dev/null 2>&1
      for f in "$out"/callgrind.*.*; do
        printf '%s %s\n' "$(sed -n 's/^desc: Trigger: Client Request: //p' "$f")" "$(sed -n 's/^summary: //p' "$f")"
      done | awk '{ ir[$2, $1] = $3; if (!($2 in seen)) { seen[$2] = 1; order[n++] = $2 } }
        END { printf "%8s %15s %15s %6s\n", "keys", "walk Ir", "scan Ir", "ratio"
              for (i = 0; i < n; ++i) { k = order[i]
                printf "%8d %15d %15d %6.2f", k, ir[k, "walk"], ir[k, "scan"], ir[k, "scan"] / ir[k, "walk"]
                if (i > 0) printf "   growth: walk x%.2f scan x%.2f", ir[k, "walk"] / ir[p, "walk"], ir[k, "scan"] / ir[p, "scan"]
                printf "\n"; p = k } }' | tee "$out/callgrind.txt"
      ;;
    wine)
      build "$win64" "TarnelBench TarnelWindowBench TarnelSaveBench" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake"
      # shellcheck source=scripts/wine-env.sh
      source "$root/scripts/wine-env.sh"
      export WINEPREFIX="$root/build/bench-wineprefix"
      rm -rf "$WINEPREFIX" "$WINEPREFIX.reg"
      trap wine_env_stop EXIT
      wine_env_start
      wineserver -k; wineserver -w || true
      mkdir -p "$WINEPREFIX.reg"
      cp "$WINEPREFIX"/*.reg "$WINEPREFIX.reg/"
      exe="$win64/bench/TarnelBench.exe"
      kb="Z:${knowbase//\//\\}"
      echo "== system registry under Wine (best of $repeat); $(load)"
      : >"$out/wine.txt"
      : >"$out/window.txt"
      header=""
      # wine_case SIZE STALE_PERCENT TABLE: one registry in the fresh prefix,
      # scanned headless (a row of TABLE) and by the window program.
      wine_case() {
        # Back to the fresh prefix: its registry, no program files of ours.
        cp "$WINEPREFIX.reg"/*.reg "$WINEPREFIX/"
        rm -rf "$WINEPREFIX/drive_c/Program Files/Bench Vendor "* "$WINEPREFIX/drive_c/Program Files (x86)/Bench Vendor "*
        wineserver -p
        local start=$SECONDS
        wine "$exe" --generate --knowbase "$kb" --sizes "$1" --stale "$2"
        # The server saves the new registry as it stops, not while measured.
        wineserver -k; wineserver -w || true
        local generated=$((SECONDS - start))
        wineserver -p
        start=$SECONDS
        wine "$exe" --knowbase "$kb" --sizes "$1" --stale "$2" --repeat "$repeat" $header | tee -a "$3"
        header="--no-header"
        # The window program's scan of the same registry, against the headless
        # one; problem counts that differ fail the run.
        local window status=0
        window="$(wine "$win64/bench/TarnelWindowBench.exe" "$repeat")" || status=$?
        echo "keys $1, stale $2%: $(echo "$window" | tr '\n' ' ')" | tee -a "$out/window.txt"
        wineserver -k; wineserver -w || true
        echo "(keys $1: generated in $generated s, measured in $((SECONDS - start)) s; $(load))"
        if [ "$status" -ne 0 ]; then echo "bench.sh: the window bench failed (exit $status)" >&2; exit 1; fi
      }
      for size in ${wine_sizes//,/ }; do wine_case "$size" 3 "$out/wine.txt"; done
      growth "$out/wine.txt"
      # A registry full of problems, some 20,000 of them: there the window's
      # tree, not the registry, sets the pace.
      if [ "$problem_keys" -gt 0 ]; then
        echo "== a registry whose every reference is stale, under Wine (best of $repeat)"
        : >"$out/wine-problems.txt"
        header=""
        wine_case "$problem_keys" 100 "$out/wine-problems.txt"
      fi
      echo "== Save as of trees of 1,000 to 100,000 keys, system registry under Wine (best of 3)"
      cp "$WINEPREFIX.reg"/*.reg "$WINEPREFIX/"
      wineserver -p
      wine "$win64/bench/TarnelSaveBench.exe" | tee "$out/save-wine.txt"
      wineserver -k; wineserver -w || true
      ;;
    *) echo "bench.sh: unknown back end $backend" >&2; exit 2 ;;
  esac
done
