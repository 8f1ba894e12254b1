#!/usr/bin/env bash
# Configures and builds one configuration: native, win64 or win32.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
config="$1"
case "$config" in
  native) args=(-DTARNEL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug) ;;
  win64) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release) ;;
  win32) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release) ;;
  *) echo "usage: build.sh native|win64|win32" >&2; exit 2 ;;
esac
cmake -S "$root" -B "$root/build/$config" -G Ninja "${args[@]}" >/dev/null
cmake --build "$root/build/$config"
