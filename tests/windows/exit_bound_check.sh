#!/usr/bin/env bash
# Starts the Windows program under Wine on a simulated laptop whose switch-off
# ("netsh wlan set hostednetwork mode=disallow") takes a minute from 25 seconds after
# the laptop was built, presses the start button, waits until the hotspot runs and
# clicks the main window's close box. The exit's own switch-off then hangs, and still:
# the main window must be gone within 2 seconds of the click, and the program must end
# with exit code 0 within 6 seconds of it.
#
# Usage: exit_bound_check.sh PATH/TO/tulawifi.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
exe=${1:?usage: exit_bound_check.sh tulawifi.exe}
source "$top/scripts/wine-env.sh"

for tool in Xvfb xdotool xwininfo wine wineserver winepath; do
  command -v "$tool" >/dev/null || { echo "exit_bound_check: $tool is missing" >&2; exit 1; }
done

# The bounds, in seconds from the click on the close box.
exit_bound=6
gone_bound=2
# The main window's title, set by the program's created procedure.
title='岚舟笔记本设置WiFi热点工具'

# A Wine prefix and a display of its own, so ending the program never touches other
# Wine processes.
source "$top/scripts/wine-prefix.sh"
hs_wine_check_setup "${HS_EXIT_PREFIX:-$HS_WINE_PREFIX_BASE-exit}" "${HS_EXIT_DISPLAY:-:93}"

# The program is started by wine itself, not through "explorer /desktop", so that its
# exit code comes back to this script: the prefix's default desktop gives it the same
# 800x600 Wine desktop, where Wine draws the caption and its close box.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x600 /f >/dev/null 2>&1

# The built-in scenario, taken from the source, and the slow switch-off.
scenario="$work/scenario.txt"
awk '/^std::string DefaultScenarioText\(\) \{/ { inside = 1; next }
     inside && /^\)";/ { exit }
     inside { if (!opened) { sub(/^.*R"\(/, ""); opened = 1 } print }' \
  "$top/platform/sim/scenario.cpp" >"$scenario"
grep -q '^hosted_network supported' "$scenario" ||
  { echo "exit_bound_check: the built-in scenario was not found in scenario.cpp" >&2; exit 1; }
echo 'slow "netsh wlan set hostednetwork mode=disallow" 60 from=25' >>"$scenario"

# The simulated laptop's journal of every command, stamped with the laptop's time.
journal() {
  find "$WINEPREFIX/drive_c/users" -maxdepth 6 -path '*/tulawifi-sim/command-journal.txt' \
    -exec cat {} + 2>/dev/null | tr -d '\r' || true
}
seconds_since() { awk -v from="$1" -v now="$(date +%s.%N)" 'BEGIN { printf "%.2f", now - from }'; }

launched=$(date +%s.%N)
env LC_ALL="$HS_WINE_LOCALE" wine "$exe" --simulate="$(winepath -w "$scenario")" \
  >/dev/null 2>&1 &
program=$!

fail() {
  echo "exit_bound_check: $*" >&2
  journal | grep '^\[' >&2 || true
  exit 1
}

# The main window's X window while it is mapped, else nothing.
main_window() {
  xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1 || true
}
window=""
for _ in $(seq 60); do
  window=$(main_window)
  [ -n "$window" ] && break
  sleep 1
done
[ -n "$window" ] || fail "the main window did not appear"

# The start button (client 144,157, 86x42) is disabled until the preparation ends; it
# is pressed again while the journal shows no step of a start. A start disables it, so
# a press during a start changes nothing.
sleep "${HS_SETTLE_SECONDS:-4}"
while ! journal | grep -q '{start}'; do
  [ "$(seconds_since "$launched" | cut -d. -f1)" -lt 20 ] ||
    fail "no start began within 20 s; its switch-off has to come before the slow one"
  xdotool mousemove 238 248 click 1
  sleep 3
done
until journal | grep -q 'netsh wlan start hostednetwork'; do
  [ "$(seconds_since "$launched" | cut -d. -f1)" -lt 90 ] || fail "the hotspot did not start"
  sleep 1
done
# The laptop is built a little after the launch: waiting for 30 s from the launch puts
# the exit's switch-off past the laptop's 25 s.
while [ "$(seconds_since "$launched" | cut -d. -f1)" -lt 30 ]; do sleep 1; done

# The close box: the right end of the caption Wine draws, 14 pixels in from the
# window's right edge and 11 down from its top.
geometry=$(xwininfo -id "$window")
left=$(awk '/Absolute upper-left X/ { print $4 }' <<<"$geometry")
top_edge=$(awk '/Absolute upper-left Y/ { print $4 }' <<<"$geometry")
width=$(awk '/^ *Width:/ { print $2 }' <<<"$geometry")
xdotool mousemove $((left + width - 14)) $((top_edge + 11))
clicked=$(date +%s.%N)
xdotool click 1

gone=""
ended=""
while [ -z "$ended" ]; do
  if [ -z "$gone" ] && [ -z "$(main_window)" ]; then
    gone=$(seconds_since "$clicked")
  fi
  kill -0 "$program" 2>/dev/null || ended=$(seconds_since "$clicked")
  if [ -z "$ended" ] && [ "$(seconds_since "$clicked" | cut -d. -f1)" -ge 15 ]; then
    fail "still running 15 s after the click (window gone after ${gone:-never} s)"
  fi
  sleep 0.1
done
code=0
wait "$program" || code=$?
[ -n "$gone" ] || gone="$ended"

summary="exit code $code after $ended s, window gone after $gone s"
# The exit's switch-off was held up by the slow command: its answer never came.
if journal | sed -n '/netsh wlan start hostednetwork/,$p' | grep -q '^\[.*mode=disallow'; then
  fail "$summary, but the exit's switch-off was not slow: the close came too early"
fi
[ "$code" -eq 0 ] || fail "$summary: expected exit code 0"
awk -v t="$ended" -v b="$exit_bound" 'BEGIN { exit !(t <= b) }' ||
  fail "$summary: expected the exit within $exit_bound s"
awk -v t="$gone" -v b="$gone_bound" 'BEGIN { exit !(t <= b) }' ||
  fail "$summary: expected the window gone within $gone_bound s"
echo "exit_bound_check: $summary"
