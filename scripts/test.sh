#!/usr/bin/env bash
# Sets the machine up, builds everything and runs every test: the native Linux
# build, the same tests under AddressSanitizer and UBSan, the threaded ones under
# ThreadSanitizer, then the Windows build with its tests under Wine (and Xvfb
# for the GUI). Each stage's time is printed as it ends, and all of them at the
# end.
set -euo pipefail
cd "$(dirname "$0")/.."

times=()
stage() { # name command...
  local name=$1 start=$SECONDS
  shift
  echo "=== $name"
  "$@"
  times+=("$(printf '%5d s  %s' $((SECONDS - start)) "$name")")
  echo "=== $name: $((SECONDS - start)) s"
}
summary() {
  echo "=== stage times"
  printf '%s\n' "${times[@]}"
  echo "$(printf '%5d s' "$SECONDS")  in all"
}
trap summary EXIT

stage "bootstrap" scripts/bootstrap.sh --windows
stage "Linux build" scripts/build.sh
stage "Linux tests" ctest --preset linux --parallel 2
stage "AddressSanitizer and UBSan" scripts/sanitize.sh asan
stage "ThreadSanitizer" scripts/sanitize.sh tsan
stage "Windows build" scripts/build-windows.sh
stage "Windows tests under Wine" ctest --preset windows --parallel 2
