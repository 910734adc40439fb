#!/usr/bin/env bash
# Builds a sanitizer preset and runs its tests (clang, from scripts/bootstrap.sh):
#
#   scripts/sanitize.sh asan   every test: unit, end-to-end and the fuzz seeds'
#                              replays, under AddressSanitizer and UBSan
#   scripts/sanitize.sh tsan   the tests labelled "threads" under ThreadSanitizer
#
# Every report fails the run, also one from a program whose exit code a test
# doesn't look at (the launcher in an end-to-end test, a child process): the
# presets send all reports to files in build/PRESET/sanitizer-reports, which
# must stay empty. Extra arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-}
case "$preset" in
  asan | tsan) shift ;;
  *) echo "usage: $0 asan|tsan [CTEST ARGUMENTS...]" >&2; exit 2 ;;
esac

scripts/build.sh "$preset"

reports="build/$preset/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
status=0
ctest --preset "$preset" --parallel 2 "$@" || status=$?
if [ -n "$(ls -A "$reports")" ]; then
  for report in "$reports"/*; do
    echo "=== $report"
    cat "$report"
  done
  echo "$preset: sanitizer reports above" >&2
  status=1
fi
exit "$status"
