#!/usr/bin/env bash
# Sets the machine up, builds everything and runs every test: the native Linux
# build, the same tests under AddressSanitizer and UBSan, the threaded ones under
# ThreadSanitizer, then the Windows build with its tests under Wine (and Xvfb
# for the GUI).
#
# The tests spend much of their time waiting (on timers, child processes, the
# network), so the next builds run beside them at the lowest priority and take
# only what the tests leave idle. A test stage first waits for its build. Each
# step's time is printed as it ends, and all of them at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=scripts/steps.sh
source scripts/steps.sh

later_builds() {
  scripts/build.sh tsan
  scripts/build.sh windows
}
export -f later_builds

stage "bootstrap" scripts/bootstrap.sh --windows
stage "Linux build" scripts/build.sh
start_background "AddressSanitizer build" scripts/build.sh asan
stage "Linux tests" ctest --preset linux --parallel 2
finish_background
start_background "ThreadSanitizer and Windows builds" later_builds
stage "AddressSanitizer and UBSan tests" scripts/sanitize.sh asan
finish_background
stage "ThreadSanitizer tests" scripts/sanitize.sh tsan
stage "Windows tests under Wine" ctest --preset windows --parallel 2
