#!/usr/bin/env bash
# Sets the machine up, builds the launcher and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
scripts/build.sh
exec build/linux/korvix-launcher
