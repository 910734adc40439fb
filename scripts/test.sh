#!/usr/bin/env bash
# Sets the machine up, builds everything and runs every test: the native Linux
# build, the same tests under AddressSanitizer and UBSan, the threaded ones under
# ThreadSanitizer, then the Windows build with its tests under Wine (and Xvfb
# for the GUI).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh --windows
scripts/build.sh
ctest --preset linux --parallel 2
scripts/sanitize.sh asan
scripts/sanitize.sh tsan
scripts/build-windows.sh
ctest --preset windows --parallel 2
