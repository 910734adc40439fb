#!/usr/bin/env bash
# Runs a Windows program under Wine in a prepared prefix.
#
#   scripts/wine-run.sh PREFIX PROGRAM.exe [ARGUMENTS...]
#
# The prefix is created on first use, under a lock so that parallel tests wait
# for one creation, which is retried; a program is started again only when Wine
# plainly failed to bring it up (see below).
# Output lines lose Wine's CR, so the callers parse them as on Linux; they come
# once the program has ended. The exit code is the program's.
set -euo pipefail

if [ "$#" -lt 2 ]; then
  echo "usage: $0 PREFIX PROGRAM [ARGUMENTS...]" >&2
  exit 2
fi
prefix=$(realpath -m "$1"); shift

wine=$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
# No dialogs offering Mono or Gecko: the launcher needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# Wine reads host file names, arguments and the environment in the locale's
# encoding; a bare CI machine's "C" locale would garble everything beyond ASCII.
export LC_ALL=C.UTF-8

mkdir -p "$(dirname "$prefix")"
# The lock's descriptor is closed for every Wine process started under it, so
# a lingering wineserver never keeps holding the lock.
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/.korvix-ready" ]; then
  for attempt in 1 2 3; do
    # A half-made prefix (an interrupted run) may still have its server running.
    if [ -d "$prefix" ]; then "$wineserver" -k >/dev/null 2>&1 9>&- || true; fi
    rm -rf "$prefix"
    if timeout 240 "$wine" wineboot --init >/dev/null 2>&1 9>&- \
       && timeout 120 "$wineserver" -w 9>&- && [ -f "$prefix/system.reg" ]; then
      touch "$prefix/.korvix-ready"
      break
    fi
    echo "wine-run: creating the Wine prefix failed (attempt $attempt)" >&2
    "$wineserver" -k >/dev/null 2>&1 9>&- || true
    sleep 2
  done
  if [ ! -f "$prefix/.korvix-ready" ]; then
    echo "wine-run: could not create the Wine prefix $prefix" >&2
    exit 1
  fi
fi
# Wine links the profile's Desktop, Documents, Downloads, Templates and so on to
# the host user's home: a program would find, read and write the real user's
# files there. They become empty folders of the prefix (also in a prefix made
# before this). Only where Wine puts them is looked at: elsewhere in a profile
# the tests running meanwhile make and remove their folders.
for link in "$prefix"/drive_c/users/*/* "$prefix"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/*; do
  if [ -L "$link" ]; then rm -f "$link" && mkdir -p "$link"; fi
done
exec 9>&-

# The output goes through files, never straight to the caller: the first Wine
# process of a prefix starts the Wine server and the prefix's system processes,
# which inherit its output and hold it open until the server ends. A caller that
# reads a pipe (ctest) would wait for the whole test run, not for this program.
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
run() {
  status=0
  started=$(date +%s%N)
  "$wine" "$@" >"$out" 2>"$err" || status=$?
  elapsed_ms=$((($(date +%s%N) - started) / 1000000))
}
silent_failure() { [ "$status" -ne 0 ] && [ ! -s "$out" ] && [ ! -s "$err" ]; }
run "$@"
# Now and then Wine fails to bring a program up at all: it ends at once with
# code 1 and, its own messages being off, without a word (about one start in a
# few hundred on a loaded machine). Such a start is made once more, with Wine's
# error messages on, so that a second failure says why. A program that ran
# prints something (every test program does) and is never started again.
if silent_failure && [ "$elapsed_ms" -lt 5000 ]; then
  echo "wine-run: $(basename "$1") ended with code $status after $elapsed_ms ms and printed nothing; starting it once more" >&2
  WINEDEBUG=err+all run "$@"
fi
tr -d '\r' <"$out"
cat "$err" >&2
# A failure with no word at all (a GUI program, or Wine not starting one) at
# least names the program and its code in the test's log.
if silent_failure; then
  echo "wine-run: $(basename "$1") ended with code $status and printed nothing" >&2
fi
exit "$status"
