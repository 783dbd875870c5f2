#!/usr/bin/env bash
# Fails when the program imports a system function that Windows XP SP3 lacks: an
# exe with such an import does not even load there. Every function the exe imports
# must be in the reviewed allow-list (scripts/xp-imports.txt).
#
#   scripts/check-xp-imports.sh EXE [ALLOW-LIST]
#
# OBJDUMP names the objdump to use (default i686-w64-mingw32-objdump).
set -euo pipefail

exe=${1:?usage: check-xp-imports.sh EXE [ALLOW-LIST]}
allow=${2:-$(dirname "$0")/xp-imports.txt}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}

[[ -f $exe ]] || { echo "check-xp-imports: no such file: $exe" >&2; exit 2; }
[[ -r $allow ]] || { echo "check-xp-imports: no allow-list: $allow" >&2; exit 2; }

dump=$("$objdump" -p "$exe") || { echo "check-xp-imports: $objdump failed on $exe" >&2; exit 2; }

# DLL!function for every import, DLL names in lower case; "#N" for one by ordinal.
imports=$(awk '
    /^\tDLL Name: / { dll = tolower($3); next }
    /^$/ { next }
    dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +/ {
        name = $3
        if (name == "<none>") name = "#" $2
        print dll "!" name
        next
    }
    /^ [0-9a-f]+\t/ { dll = "" }
    /^[^\t ]/ { dll = "" }
' <<<"$dump" | sort -u)

if [[ -z $imports ]]; then
    echo "check-xp-imports: found no imports in $exe (objdump output not understood?)" >&2
    exit 2
fi

allowed=$(sed -e 's/#.*//' -e 's/[[:space:]]//g' "$allow" | awk -F'!' 'NF == 2 { print tolower($1) "!" $2 }' | sort -u)
missing=$(comm -23 <(printf '%s\n' "$imports") <(printf '%s\n' "$allowed"))

count=$(printf '%s\n' "$imports" | wc -l)
if [[ -n $missing ]]; then
    echo "check-xp-imports: $exe imports functions not known to exist on Windows XP SP3:"
    printf '  %s\n' $missing
    echo "Look them up at run time (GetProcAddress) with a fallback, or, when XP SP3"
    echo "has them, add them to $allow after checking."
    exit 1
fi
echo "check-xp-imports: all $count imports of $(basename "$exe") exist on Windows XP SP3"
