#!/usr/bin/env bash
# Installs what the build and the tests need, only what is missing.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for pkg in cmake ninja-build g++ googletest \
           g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix \
           wine64 wine xvfb x11-utils imagemagick valgrind; do
  have "$pkg" || need+=("$pkg")
done
# The 32-bit Wine loader is not needed: only the x86_64 build runs.
[ ${#need[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "Installing: ${need[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
