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

times=()
note_time() { # name seconds
  times+=("$(printf '%5d s  %s' "$2" "$1")")
  echo "=== $1: $2 s"
}
stage() { # name command...
  local name=$1 start=$SECONDS
  shift
  echo "=== $name"
  "$@"
  note_time "$name" $((SECONDS - start))
}

background_pid=""
background_name=""
background_log=""
background_start=0
# Runs `command` beside what follows, at the lowest priority, its output into a log.
start_background() { # name command...
  background_name=$1
  shift
  mkdir -p build
  background_log="build/$(echo "$background_name" | tr ' A-Z' '-a-z').log"
  background_start=$SECONDS
  echo "=== $background_name, beside the tests (output in $background_log)"
  # Its own session, so that a run that ends early ends all of it.
  setsid -w nice -n 19 ionice -c 3 bash -c '"$@"' background "$@" >"$background_log" 2>&1 &
  background_pid=$!
}
# Waits for it; a failure shows the end of its log and ends the run.
finish_background() {
  local status=0 waited=$SECONDS
  wait "$background_pid" || status=$?
  background_pid=""
  if [ "$status" -ne 0 ]; then
    tail -n 80 "$background_log"
    echo "test: $background_name failed (whole output in $background_log)" >&2
    exit "$status"
  fi
  note_time "$background_name (waited for $((SECONDS - waited)) s)" $((SECONDS - background_start))
}

finish() {
  if [ -n "$background_pid" ]; then
    kill -- "-$background_pid" 2>/dev/null || kill "$background_pid" 2>/dev/null || true
  fi
  echo "=== step times"
  printf '%s\n' "${times[@]}"
  echo "$(printf '%5d s' "$SECONDS")  in all"
}
trap finish EXIT

build_preset() { # preset: configures and builds it
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
}
later_builds() {
  build_preset tsan
  scripts/build-windows.sh
}
export -f build_preset later_builds

stage "bootstrap" scripts/bootstrap.sh --windows
stage "Linux build" scripts/build.sh
start_background "AddressSanitizer build" build_preset asan
stage "Linux tests" ctest --preset linux --parallel 2
finish_background
start_background "ThreadSanitizer and Windows builds" later_builds
stage "AddressSanitizer and UBSan tests" scripts/sanitize.sh asan
finish_background
stage "ThreadSanitizer tests" scripts/sanitize.sh tsan
stage "Windows tests under Wine" ctest --preset windows --parallel 2
