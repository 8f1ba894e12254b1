#!/usr/bin/env bash
# Installs what the build and the tests need, only what is missing.
set -euo pipefail

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

# The i686 build runs its tests under Wine's 32-bit loader.
added_i386=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  added_i386=1
fi

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for pkg in cmake ninja-build g++ googletest \
           g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 \
           wine64 wine wine32:i386 fonts-wine xvfb x11-utils imagemagick valgrind \
           fp-utils nsis zip unzip clang libfuzzer-14-dev pkg-config libhivex-dev xz-utils; do
  have "$pkg" || need+=("$pkg")
done
[ ${#need[@]} -eq 0 ] && [ $added_i386 -eq 0 ] && exit 0

echo "Installing: ${need[*]}" >&2
$SUDO apt-get update -qq
[ ${#need[@]} -eq 0 ] || $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
