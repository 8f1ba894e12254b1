#!/usr/bin/env bash
# Builds all three configurations and runs every test: natively with
# sanitizers, a short run of every fuzz target, and the Windows build under
# Wine. Exits non-zero when any build or test fails.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
"$root/scripts/install-deps.sh" || exit 1

status=0
step() {  # step NAME COMMAND...: runs and times one step
  local name="$1"; shift
  local t0=$SECONDS
  echo "=== $name"
  if "$@"; then echo "=== $name: ok ($((SECONDS - t0)) s)"
  else echo "=== $name: FAILED ($((SECONDS - t0)) s)"; status=1; fi
}

run_ctest() { ctest --test-dir "$root/build/$1" --output-on-failure --timeout 600; }

step "native build" scripts/build.sh native
step "native tests" run_ctest native
step "fuzz (60 s)" scripts/fuzz.sh 60
step "win64 build" scripts/build.sh win64
source "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
step "wine start" wine_env_start
step "win64 tests under Wine" run_ctest win64
step "win32 build" scripts/build.sh win32
step "win32 tests under Wine" run_ctest win32
package_tests() {
  local packages
  packages=($(scripts/package.sh)) &&
    tests/package/install_test.sh "${packages[0]}" "${packages[1]}" "$root/build/package-test"
}
step "packages, installed and uninstalled under Wine" package_tests
wine_env_stop
[ $status -eq 0 ] && echo "ALL PASSED" || echo "SOME STEPS FAILED"
exit $status
