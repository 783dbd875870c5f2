#!/usr/bin/env bash
# Builds the Windows program and starts the real .exe under Wine on the simulated
# laptop. Without a display it starts a virtual one and writes screenshots of the
# window to a folder it prints. Extra arguments go to the program (for example
# --simulate=FILE for another scenario).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
cd "$top"

bash "$here/bootstrap.sh"
source "$here/wine-env.sh"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc 2>/dev/null || echo 2)" --target tulawifi
exe="$top/build/windows/launcher/tulawifi.exe"
args=("$@")
[ ${#args[@]} -gt 0 ] || args=(--simulate)
# A scenario file given by its Unix path is on Wine's drive Z:.
for i in "${!args[@]}"; do
  case "${args[$i]}" in
    --simulate=/*) args[$i]="--simulate=Z:${args[$i]#--simulate=}" ;;
  esac
done

if [ -n "${DISPLAY:-}" ]; then
  exec env LC_ALL="$HS_WINE_LOCALE" wine "$exe" "${args[@]}"
fi

shots="$top/build/screenshots"
mkdir -p "$shots"
display=:97
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
echo "No display: running on a virtual one; screenshots go to $shots"
# A Wine desktop window stands in for a window manager: it draws the window frames,
# a taskbar and the notification area.
env LC_ALL="$HS_WINE_LOCALE" wine explorer /desktop=tulawifi,1024x768 "$exe" "${args[@]}" &
prog=$!
for i in $(seq 1 ${HS_RUN_SECONDS:-60}); do
  sleep 1
  kill -0 $prog 2>/dev/null || break
  if [ $((i % 5)) -eq 0 ]; then
    import -window root "$shots/screen-$(printf %03d "$i").png" 2>/dev/null || true
  fi
done
kill $prog 2>/dev/null || true
# Ends the program and the virtual desktop (the prefix is the project's own).
wineserver -k >/dev/null 2>&1 || true
echo "Screenshots: $shots"
