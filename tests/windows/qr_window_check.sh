#!/usr/bin/env bash
# Starts the Windows program under Wine with the simulated laptop on a virtual display,
# presses the start button, opens the join window from the main page's button "扫码连接",
# takes a screenshot and reads it with zbarimg: the QR code on the screen must hold the
# join text of the name and key that reached netsh, and nothing else.
#
# Usage: qr_window_check.sh PATH/TO/tulawifi.exe [SCREENSHOT.png]
# HS_QR_SIMULATE=windows11 runs it on the built-in Windows 11 laptop, whose hotspot is
# the Mobile Hotspot, instead of the Windows 7 one.
# The screenshot is kept when a path is given (docs/screenshots/qr-window.png).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
exe=${1:?usage: qr_window_check.sh tulawifi.exe [screenshot.png]}
keep=${2:-}
source "$top/scripts/wine-env.sh"

for tool in Xvfb xdotool import zbarimg wine wineserver; do
  command -v "$tool" >/dev/null || { echo "qr_window_check: $tool is missing" >&2; exit 1; }
done

# The join text of the name and key that reached netsh, read from the simulated
# laptop's command journal once the start has configured the hosted network. On a
# fresh laptop the name is the settings' default and the key the ten digits generated
# at the first start.
journal_expected() {
  local journal configure ssid key
  journal=$(find "$WINEPREFIX/drive_c/users" -path '*/tulawifi-sim/command-journal.txt' \
    2>/dev/null | head -n 1)
  [ -n "$journal" ] || return 0
  configure=$(grep -a -m1 'netsh wlan set hostednetwork mode=allow' "$journal" || true)
  ssid=$(sed -n 's/.* ssid="\([^"]*\)".*/\1/p' <<<"$configure")
  key=$(sed -n 's/.* key="\([^"]*\)".*/\1/p' <<<"$configure")
  if [ -z "$configure" ]; then
    # The Mobile Hotspot: the journal notes the name it was given, and the key (which
    # the journal hides) is the one the start saved in the laptop's settings file.
    configure=$(grep -a -m1 '{start} tethering: configure' "$journal" || true)
    ssid=$(sed -n 's/.* ssid "\([^"]*\)".*/\1/p' <<<"$configure")
    key=$(tr -d '\r' <"$(dirname "$journal")/tulawifi.ini" 2>/dev/null |
      awk -F= '/^\[/ { user = ($0 == "[user]") } user && $1 == "key" { print substr($0, 5); exit }')
  fi
  [ -n "$ssid" ] && [ -n "$key" ] || return 0
  printf 'QR-Code:WIFI:T:WPA;S:%s;P:%s;;' "$ssid" "$key"
}

# A Wine prefix and a display of its own, so ending the program never touches other
# Wine processes.
source "$top/scripts/wine-prefix.sh"
hs_wine_check_setup "${HS_QR_PREFIX:-$HS_WINE_PREFIX_BASE-qr}" "${HS_QR_DISPLAY:-:97}"

# The program in a Wine desktop window; its main window stands at 50,50, the frame and
# caption add about 3 and 22 pixels. The start button sits at 144,157 (86x42) in the
# client area, the join button at 279,91 (82x28) once sharing runs.
env LC_ALL="$HS_WINE_LOCALE" wine explorer /desktop=tulawifi,800x600 "$exe" \
  --simulate${HS_QR_SIMULATE:+=$HS_QR_SIMULATE} \
  >/dev/null 2>&1 &
sleep "${HS_SETTLE_SECONDS:-10}"
xdotool mousemove 238 248 click 1
# The start on the built-in laptop takes about eight seconds; on a busy machine it may
# take longer, so the join button is pressed again until the code can be read, for a
# minute at most. Pressing it while the window is open only brings that to the front.
sleep "${HS_START_SECONDS:-10}"
shot="$work/qr-window.png"
found=""
expected=""
for attempt in 1 2 3 4 5 6 7 8 9 10; do
  xdotool mousemove 371 175 click 1
  sleep 2
  import -window root -crop 800x600+0+0 +repage "$shot"
  found=$(zbarimg --quiet "$shot" 2>/dev/null || true)
  expected=$(journal_expected)
  [ -n "$expected" ] && [ "$found" = "$expected" ] && break
  sleep 4
done
if [ -n "$keep" ]; then
  mkdir -p "$(dirname "$keep")"
  convert "$shot" -trim +repage -bordercolor '#23709b' -border 6 "$keep"
fi
if [ -z "$expected" ]; then
  echo "qr_window_check: the command journal holds no configured name and key" >&2
  exit 1
fi
if [ "$found" != "$expected" ]; then
  echo "qr_window_check: expected '$expected', zbarimg read '$found' ($attempt tries)" >&2
  exit 1
fi
# No installation may share one key: the first start generated ten digits of its own.
key=${expected#*;P:}
key=${key%;;}
if ! [[ "$key" =~ ^[0-9]{10}$ ]] || [ "$key" = 5802741639 ]; then
  echo "qr_window_check: the first start's key '$key' is not a generated one" >&2
  exit 1
fi
echo "qr_window_check: $found"
