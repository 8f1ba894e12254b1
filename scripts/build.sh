#!/usr/bin/env bash
# Configures and builds one configuration: native, win64, win32 or fuzz.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
config="$1"
case "$config" in
  native) args=(-DTARNEL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug) ;;
  win64) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release) ;;
  win32) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release) ;;
  fuzz) args=(-DTARNEL_FUZZ=ON -DTARNEL_TESTS=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
              -DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  *) echo "usage: build.sh native|win64|win32|fuzz" >&2; exit 2 ;;
esac
log="$root/build/$config-build.log"
mkdir -p "$root/build"
# The full compiler output goes to a log; a failure shows its end.
if ! { cmake -S "$root" -B "$root/build/$config" -G Ninja "${args[@]}" && cmake --build "$root/build/$config"; } >"$log" 2>&1; then
  grep -E 'error|FAILED' "$log" | head -40
  tail -20 "$log"
  echo "build of $config failed; full output in $log" >&2
  exit 1
fi
