#!/usr/bin/env bash
# Configures and builds a CMake preset: the native Linux launcher and its tests
# unless another preset is named (windows, asan, tsan, fuzz). Further arguments
# go to the build.
#
#   scripts/build.sh [PRESET] [BUILD ARGUMENTS...]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=linux
if [ "$#" -gt 0 ] && [ "${1#-}" = "$1" ]; then
  preset=$1
  shift
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" "$@"
