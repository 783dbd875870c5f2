#!/usr/bin/env bash
# Builds the Windows program, starts the real .exe under Wine on a virtual display
# with the simulated laptop, and writes a screenshot of each of the five pages of
# the main window and of the traffic bar to docs/screenshots/.
#
# HS_BUILD_DIR=dir uses an existing build instead of the windows preset.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
cd "$top"
source "$here/wine-env.sh"

if [ -z "${HS_BUILD_DIR:-}" ]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows -j "$(nproc 2>/dev/null || echo 2)" --target tulawifi
  build="$top/build/windows"
else
  build="$HS_BUILD_DIR"
fi
exe="$build/launcher/tulawifi.exe"
out="$top/docs/screenshots"
mkdir -p "$out"

# A Wine prefix of its own, so stopping the program never touches other Wine
# processes, with a CJK face standing in for Wine's caption font.
export WINEPREFIX="${HS_SHOTS_PREFIX:-$HOME/.cache/tulawifi/wine32-shots}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi
for face in Tahoma "MS Shell Dlg" "Microsoft Sans Serif"; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "WenQuanYi Micro Hei" /f \
    >/dev/null 2>&1 || true
done

display="${HS_SCREEN_DISPLAY:-:94}"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY="$display"
sleep 1

# shoot NAME [program options...]: starts the program in a Wine desktop window
# (Wine then draws the window frames itself), lets it settle, and saves the desktop
# cropped to what the program shows.
shoot() {
  local name=$1
  shift
  env LC_ALL="$HS_WINE_LOCALE" wine explorer /desktop=tulawifi,800x600 "$exe" --simulate "$@" \
    >/dev/null 2>&1 &
  sleep "${HS_SETTLE_SECONDS:-10}"
  import -window root -crop 800x600+0+0 +repage "$out/$name.full.png"
  convert "$out/$name.full.png" -trim +repage -bordercolor '#23709b' -border 6 "$out/$name.png"
  rm -f "$out/$name.full.png"
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  echo "screenshots: $out/$name.png"
}

shoot page-0-main --page=0
shoot page-1-users --page=1
shoot page-2-settings --page=2
shoot page-3-traffic --page=3
shoot page-4-help --page=4
shoot traffic-bar --show-bar --hide-main
