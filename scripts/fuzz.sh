#!/usr/bin/env bash
# Fuzzes the readers of outside data with libFuzzer: builds the fuzz targets
# (preset "fuzz": clang with libFuzzer, ASan and UBSan) and runs each for
# SECONDS (default 60), one after the other, starting from its seeds.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     targets: the folders of tests/fuzz/seeds
#
# Each target's corpus grows in build/fuzz/corpus/TARGET; a crashing or hanging
# input is saved in build/fuzz/findings/TARGET/ and the script ends with 1 after
# the last target. Put such an input into tests/fuzz/seeds/TARGET/ with the fix.
# Logs are in build/fuzz/logs/; the summary gives each target's executions.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
case "$seconds" in '' | *[!0-9]*) echo "usage: $0 [SECONDS] [TARGET...]" >&2; exit 2 ;; esac

targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  for dir in tests/fuzz/seeds/*/; do targets+=("$(basename "$dir")"); done
fi

scripts/build.sh fuzz

# Targets that write files do it in the temporary folder: a memory file system
# keeps them fast.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

out=build/fuzz
mkdir -p "$out/logs"
summary=()
status=0
for name in "${targets[@]}"; do
  program="$out/tests/fuzz/fuzz_$name"
  if [ ! -x "$program" ] || [ ! -d "tests/fuzz/seeds/$name" ]; then
    echo "fuzz: no target $name" >&2
    exit 2
  fi
  corpus="$out/corpus/$name"
  findings="$out/findings/$name"
  mkdir -p "$corpus" "$findings"
  dict=()
  if [ -f "tests/fuzz/$name.dict" ]; then dict=("-dict=tests/fuzz/$name.dict"); fi
  echo "fuzz: $name for $seconds s"
  result=ok
  "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -print_final_stats=1 -artifact_prefix="$findings/" "${dict[@]}" "$corpus" "tests/fuzz/seeds/$name" \
    >"$out/logs/$name.log" 2>&1 || { result="FOUND (see $out/logs/$name.log)"; status=1; }
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/logs/$name.log" | tail -n 1)
  summary+=("$(printf '%-12s %12s executions  %s' "$name" "${runs:-?}" "$result")")
done
echo
printf '%s\n' "${summary[@]}"
exit "$status"
