#!/usr/bin/env bash
# Builds the Windows program, starts the real .exe under Wine on a virtual display
# with the simulated laptop, and writes screenshots of the five pages of the main
# window, the traffic bar, the hotspot's start, its devices and notices, the countdown
# and the join window to docs/screenshots/.
#
# HS_BUILD_DIR=dir uses an existing build instead of the windows preset.
#
# --dpi=N instead writes main-Ndpi.png only: the main window on a screen of N dots an
# inch (96 is 100 %, 120 is 125 %, 144 is 150 %), in a Wine prefix of that DPI's own
# (made here, beside the screenshots' prefix), so the setting never reaches the prefix
# other runs use.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
cd "$top"
source "$here/wine-env.sh"

dpi=""
for arg in "$@"; do
  case "$arg" in
    --dpi=*)
      dpi=${arg#--dpi=}
      if ! [[ "$dpi" =~ ^[0-9]+$ ]] || [ "$dpi" -lt 72 ] || [ "$dpi" -gt 480 ]; then
        echo "screenshots: --dpi wants dots an inch from 72 to 480, not '$dpi'" >&2
        exit 2
      fi
      ;;
    *)
      echo "usage: $0 [--dpi=N]" >&2
      exit 2
      ;;
  esac
done

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
if [ -n "$dpi" ]; then
  export WINEPREFIX="${HS_SHOTS_PREFIX:-$HOME/.cache/tulawifi/wine32-shots-${dpi}dpi}"
else
  export WINEPREFIX="${HS_SHOTS_PREFIX:-$HOME/.cache/tulawifi/wine32-shots}"
fi
source "$here/wine-prefix.sh"
hs_wine_prefix
if [ -n "$dpi" ]; then
  # Wine takes the screen's DPI from LogPixels: the system's under HKEY_CURRENT_CONFIG,
  # the user's under Control Panel\Desktop; both are set, as the display settings do.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1 || true
fi

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

if [ -n "$dpi" ]; then
  shoot "main-${dpi}dpi" --page=0
  exit 0
fi

# The start button's centre on the virtual desktop: the window stands at 50,50, its
# frame and caption add about 3 and 22 pixels, and the button sits at 144,157 with a
# size of 86x42 in the client area.
start_button=(238 248)

# capture NAME: saves the desktop, cropped to what the program shows.
capture() {
  import -window root -crop 800x600+0+0 +repage "$out/$1.full.png"
  convert "$out/$1.full.png" -trim +repage -bordercolor '#23709b' -border 6 "$out/$1.png"
  rm -f "$out/$1.full.png"
  echo "screenshots: $out/$1.png"
}

# story SCENARIO-FILE-OR-EMPTY: starts the program on the simulated laptop, waits for
# the background preparation, and presses the start button as a user would.
story() {
  local scenario=()
  [ -n "$1" ] && scenario=("--simulate=Z:$1")
  [ -n "$1" ] || scenario=(--simulate)
  env LC_ALL="$HS_WINE_LOCALE" wine explorer /desktop=tulawifi,800x600 "$exe" "${scenario[@]}" \
    >/dev/null 2>&1 &
  sleep "${HS_SETTLE_SECONDS:-10}"
  xdotool mousemove "${start_button[@]}" click 1
}

end_story() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}

shoot page-0-main --page=0
shoot page-1-users --page=1
shoot page-2-settings --page=2
shoot page-3-traffic --page=3
shoot page-4-help --page=4
shoot traffic-bar --show-bar --hide-main

# A start on the built-in laptop: the animation while it starts, the success
# message, the running state once the phones have joined, and the idle state after
# the button was pressed again.
story ""
sleep 1.5
capture hotspot-starting
sleep 7
capture hotspot-started
sleep 8
capture hotspot-running
xdotool mousemove "${start_button[@]}" click 1
sleep 3
capture hotspot-stopped
end_story

# The join notice for the first phone of the built-in laptop: it joins 12 s after the
# program started and the second one at 25 s, so the button is pressed early enough
# for the first refresh pass, 10 s after sharing came up, to list it alone. The
# notice is captured as soon as the balloon over the tray (a white box where the
# desktop is blue) appears.
env LC_ALL="$HS_WINE_LOCALE" wine explorer /desktop=tulawifi,800x600 "$exe" --simulate \
  >/dev/null 2>&1 &
sleep 5
xdotool mousemove "${start_button[@]}" click 1
for _ in $(seq 1 40); do
  sleep 1
  brightness=$(import -window root -crop 240x60+555+520 +repage -format '%[fx:mean]' info: \
    2>/dev/null || echo 0)
  if awk -v b="$brightness" 'BEGIN { exit !(b > 0.6) }'; then
    sleep 0.5
    capture join-notice-first-phone
    break
  fi
done
# The notification-area menu, which also opens the join window: the icon is the
# right-most one on the task bar.
xdotool mousemove 790 592 click 3
sleep 2
capture tray-menu
xdotool key Escape
end_story

# A laptop whose wireless switch is off: the start fails with the system's reason and
# the help text.
radio_off=$(mktemp --suffix=.txt)
cat >"$radio_off" <<'SCENARIO'
windows 7
radio off
connection 无线网络连接 kind=wifi
connection 本地连接 kind=ethernet status=2 address=192.168.1.20/24
upstream 本地连接
SCENARIO
story "$radio_off"
sleep 12
capture hotspot-failed
end_story
rm -f "$radio_off"

# The running hotspot as its user sees it after a minute: the settings switch the
# traffic bar on first. Then the traffic totals with the bar, the device list on the
# grown page "管理用户" (with the join notice over the tray) and the shutdown countdown.
temp_unix=$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')" 2>/dev/null || true)
if [ -n "$temp_unix" ]; then
  mkdir -p "$temp_unix/tulawifi-sim"
  printf '[流量条]\r\n是否开=是\r\n' | iconv -f UTF-8 -t GBK >"$temp_unix/tulawifi-sim/tulawifi.ini"
fi
story ""
sleep 50
# The tabs stand in a row under the caption: 主界面, 管理用户, 设置中心, 流量统计.
xdotool mousemove 256 80 click 1
sleep 4
capture traffic-running
xdotool mousemove 140 80 click 1
sleep 3
capture users-running
xdotool mousemove 83 80 click 1
sleep 1
# 定时关机: armed with the default of 180 minutes.
xdotool mousemove 62 287 click 1
sleep 3
capture shutdown-countdown
xdotool mousemove 62 287 click 1
end_story
[ -n "$temp_unix" ] && rm -f "$temp_unix/tulawifi-sim/tulawifi.ini"

# The join window after a start, read back by zbarimg (the same check the tests run).
bash "$top/tests/windows/qr_window_check.sh" "$exe" "$out/qr-window.png"
