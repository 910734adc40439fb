#!/usr/bin/env bash
# Cross-builds korvix-launcher.exe and its tests for Windows x86-64 with mingw-w64
# (CMake preset "windows", output in build/windows). Needs `scripts/bootstrap.sh --windows`.
exec "$(dirname "$0")/build.sh" windows "$@"
