#!/usr/bin/env bash
# Fails when the program imports a DLL that is not one of Windows' own: the .exe is
# copied to users as one file, so the C and C++ runtimes and the thread library must
# be linked in (libstdc++-6.dll, libgcc_s_*.dll or libwinpthread-1.dll would be
# missing on their machines). Windows' own DLLs are those of the reviewed import list
# of the 32-bit build (scripts/xp-imports.txt): the program imports the same DLLs
# whichever processor it is built for.
#
#   scripts/check-system-dlls.sh EXE [IMPORT-LIST]
#
# OBJDUMP names the objdump to use (default x86_64-w64-mingw32-objdump).
set -euo pipefail

exe=${1:?usage: check-system-dlls.sh EXE [IMPORT-LIST]}
list=${2:-$(dirname "$0")/xp-imports.txt}
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}

[[ -f $exe ]] || { echo "check-system-dlls: no such file: $exe" >&2; exit 2; }
[[ -r $list ]] || { echo "check-system-dlls: no import list: $list" >&2; exit 2; }

dump=$("$objdump" -p "$exe") || { echo "check-system-dlls: $objdump failed on $exe" >&2; exit 2; }
dlls=$(awk '/^\tDLL Name: / { print tolower($3) }' <<<"$dump" | sort -u)
if [[ -z $dlls ]]; then
    echo "check-system-dlls: found no imported DLLs in $exe (objdump output not understood?)" >&2
    exit 2
fi

system=$(sed -e 's/#.*//' -e 's/[[:space:]]//g' "$list" | awk -F'!' 'NF == 2 { print tolower($1) }' | sort -u)
foreign=$(comm -23 <(printf '%s\n' "$dlls") <(printf '%s\n' "$system"))
if [[ -n $foreign ]]; then
    echo "check-system-dlls: $exe imports DLLs that are not Windows' own:"
    printf '  %s\n' $foreign
    echo "Link the runtime in statically (-static), or, for a DLL of Windows, review its"
    echo "functions into $list."
    exit 1
fi
echo "check-system-dlls: $(basename "$exe") imports only Windows' own DLLs:" $dlls
