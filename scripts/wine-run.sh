#!/usr/bin/env bash
# Runs a Windows binary under Wine in the project's own prefix, quietly.
# ctest calls it for every Windows test binary (CMAKE_CROSSCOMPILING_EMULATOR).
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
exec wine "$@"
