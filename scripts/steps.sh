# Steps for scripts/test.sh, sourced: each step's time printed as it ends and
# all of them at the end, and one build at a time beside the tests.
#
#   stage NAME COMMAND...             runs COMMAND; its time is noted
#   start_background NAME COMMAND...  starts COMMAND beside what follows, at the
#                                     lowest priority, output in build/NAME.log
#   finish_background                 waits for it; a failure shows the end of
#                                     its log and ends the run with its code
# On exit, a background command still running is ended, with all it started.

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

