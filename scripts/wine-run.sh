#!/usr/bin/env bash
# Runs a Windows binary under Wine in the project's own prefix, quietly, as a
# Simplified Chinese system (ANSI and OEM code page 936), like the laptops the
# program serves. ctest calls it for every Windows test binary
# (CMAKE_CROSSCOMPILING_EMULATOR).
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
exec env LC_ALL="$HS_WINE_LOCALE" wine "$@"
