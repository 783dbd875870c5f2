#!/usr/bin/env bash
# Runs the real program under Wine on the real ports (not the simulated laptop), with
# its update check sent to a closed port on 127.0.0.1 and its journal bound lowered to
# 1 KB, and presses the start button a few times. Wine has no hosted network, so each
# start fails and writes its commands, its sharing and service calls and their answers.
# Then the user's journal in %LOCALAPPDATA%\tulawifi must exist, hold the start's
# "netsh wlan set hostednetwork" line with its key written as "*", never hold the key
# the program saved, and both its files must stay under the bound: the current one and
# the one it rotated to.
#
# Usage: journal_check.sh PATH/TO/tulawifi.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
exe=${1:?usage: journal_check.sh tulawifi.exe}
source "$top/scripts/wine-env.sh"

for tool in Xvfb xdotool wine wineserver; do
  command -v "$tool" >/dev/null || { echo "journal_check: $tool is missing" >&2; exit 1; }
done

bound=1024
title='岚舟笔记本设置WiFi热点工具'

source "$top/scripts/wine-prefix.sh"
hs_wine_check_setup "${HS_JOURNAL_PREFIX:-$HOME/.cache/tulawifi/wine32-journal}" \
  "${HS_JOURNAL_DISPLAY:-:92}"
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x600 /f >/dev/null 2>&1

folder=$(find "$WINEPREFIX/drive_c/users" -maxdepth 3 -type d -name AppData | head -n 1)/Local/tulawifi
rm -rf "$folder" "$WINEPREFIX/drive_c/tulawifi.ini"

fail() {
  echo "journal_check: $*" >&2
  tail -c 1500 "$folder/journal.txt" >&2 2>/dev/null || true
  exit 1
}
journals() { cat "$folder/journal.txt.1" "$folder/journal.txt" 2>/dev/null | tr -d '\r' || true; }

env LC_ALL="$HS_WINE_LOCALE" wine "$exe" --update-host=127.0.0.1:9 --journal-bound=$bound \
  >/dev/null 2>&1 &

window=""
for _ in $(seq 60); do
  window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 1
done
[ -n "$window" ] || fail "the main window did not appear"

# The start button (client 144,157, 86x42) waits for the preparation; each failed
# start ends in a message box, which Return closes.
sleep "${HS_SETTLE_SECONDS:-6}"
for _ in $(seq 12); do
  xdotool mousemove 238 248 click 1
  sleep 4
  xdotool key Return 2>/dev/null || true
  sleep 1
  # Everything either file held at some moment: a rotation drops what came before.
  journals >>"$work/seen.txt"
  [ -s "$folder/journal.txt.1" ] && grep -q 'netsh wlan set hostednetwork mode=allow' "$work/seen.txt" &&
    break
done
grep -q 'netsh wlan set hostednetwork mode=allow' "$work/seen.txt" || fail "no start reached netsh"

[ -s "$folder/journal.txt" ] || fail "no journal.txt"
[ -s "$folder/journal.txt.1" ] || fail "the journal never rotated to journal.txt.1"
for file in journal.txt journal.txt.1; do
  size=$(stat -c %s "$folder/$file")
  [ "$size" -le "$bound" ] || fail "$file holds $size bytes, past the bound of $bound"
done
grep -q 'key="\*"' "$work/seen.txt" || fail "the start's key is not written as *"
# The key the start saved: "key=" in the [user] section of c:\tulawifi.ini.
key=$(tr -d '\r' <"$WINEPREFIX/drive_c/tulawifi.ini" 2>/dev/null |
  awk -F= '/^\[/ { user = ($0 == "[user]") } user && $1 == "key" { print substr($0, 5); exit }')
[ -n "$key" ] || fail "no saved key found in c:\\tulawifi.ini"
if grep -qF -- "$key" "$work/seen.txt"; then
  fail "the journal holds the key $key"
fi
echo "journal_check: journal.txt $(stat -c %s "$folder/journal.txt") bytes," \
  "journal.txt.1 $(stat -c %s "$folder/journal.txt.1") bytes (bound $bound), key hidden"
