#!/usr/bin/env bash
# Configures and builds the native Linux launcher and its tests.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset linux >/dev/null
cmake --build --preset linux "$@"
