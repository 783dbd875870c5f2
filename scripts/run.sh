#!/usr/bin/env bash
# Builds the Windows program and starts the real .exe under Wine on the simulated
# laptop. Extra arguments go to the program (for example --simulate=FILE for another
# scenario).
#
# With a display the program simply runs there. Without one ($DISPLAY unset) it runs
# on a virtual display and shows what it does: it presses "开启共享", lets the
# scenario's phones join, opens the device page "管理用户", writes a screenshot of
# each step, and ends by printing the screenshots' folder, the command journal's path
# and one line such as "hotspot started in 6.9 s; 3 devices listed" read from the
# journal.
#
# Without a display:
#   HS_RUN_PREFIX=dir      the Wine prefix of the demonstration (its own by default,
#                          so ending it never touches other Wine processes)
#   HS_RUN_DISPLAY=:N      the virtual display (the first free one from :91 on)
#   HS_RUN_DEVICES=N       how many devices to wait for (3 for the built-in laptop,
#                          the scenario file's "device" lines otherwise)
#   HS_RUN_SECONDS=S       how long to wait for them once sharing runs (default 120)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
cd "$top"

bash "$here/bootstrap.sh"
# The program it runs is the 32-bit build, under the 32-bit Wine.
export HS_WINE_ARCH=win32
source "$here/wine-env.sh"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc 2>/dev/null || echo 2)" --target tulawifi
exe="$top/build/windows/launcher/tulawifi.exe"
args=("$@")
[ ${#args[@]} -gt 0 ] || args=(--simulate)
# A scenario file given by its Unix path is on Wine's drive Z:.
scenario_file=""
for i in "${!args[@]}"; do
  case "${args[$i]}" in
    --simulate=/*)
      scenario_file=${args[$i]#--simulate=}
      args[$i]="--simulate=Z:$scenario_file"
      ;;
  esac
done

if [ -n "${DISPLAY:-}" ]; then
  exec env LC_ALL="$HS_WINE_LOCALE" wine "$exe" "${args[@]}"
fi

for tool in Xvfb xdotool import wine wineserver; do
  command -v "$tool" >/dev/null || { echo "run.sh: $tool is missing" >&2; exit 1; }
done

# A prefix of its own: the simulated laptop starts from no files, and ending the
# demonstration ends only its own Wine processes.
export WINEPREFIX="${HS_RUN_PREFIX:-$HOME/.cache/tulawifi/wine32-run}"
source "$here/wine-prefix.sh"
hs_wine_prefix
find "$WINEPREFIX/drive_c/users" -maxdepth 5 -type d -name tulawifi-sim -prune \
  -exec rm -rf {} + 2>/dev/null || true

shots="$top/build/screenshots"
mkdir -p "$shots"
rm -f "$shots"/step-*.png

display="${HS_RUN_DISPLAY:-}"
if [ -z "$display" ]; then
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      display=":$n"
      break
    fi
  done
fi
[ -n "$display" ] || { echo "run.sh: no free display number" >&2; exit 1; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
sleep 1
echo "No display: running on the virtual display $display; screenshots go to $shots"

# The journal of every command the simulated laptop ran (%TEMP%\tulawifi-sim);
# empty until the program has made it.
journal_path() {
  find "$WINEPREFIX/drive_c/users" -maxdepth 6 -path '*/tulawifi-sim/command-journal.txt' \
    2>/dev/null | head -n 1
}

# Reads the journal and prints three fields:
#   ready    1 once the background preparation ran its first command, else 0
#   started  seconds from the start's first command to its last step (the interface
#            lookup), or "-" while no start has succeeded
#   listed   devices in the list after the last complete refresh pass: addresses that
#            "arp -a" shows and the hosted network (or the Mobile Hotspot's client
#            list) lists as associated, or "-"
# Each entry of the journal begins "[T s] {task} command line", its answer follows.
journal_figures() {
  local journal
  journal=$(journal_path)
  if [ -z "$journal" ]; then
    echo "0 - -"
    return
  fi
  awk '
    function flush() {
      if (task == "pass" && command == "arp -a") {
        delete arp
        for (m in seen) arp[m] = 1
        arp_done = 1
      } else if (task == "pass" && arp_done &&
                 (command == "netsh wlan show hostednetwork" || command ~ /^tethering: clients/)) {
        n = 0
        for (m in stations) if (m in arp) n++
        listed = n
        arp_done = 0
      }
      delete seen
      delete stations
    }
    {
      sub(/\r$/, "")
      if (match($0, /^\[[0-9]+\.[0-9]+ s\] \{[^}]*\} /)) {
        flush()
        head = substr($0, 1, RLENGTH)
        command = substr($0, RLENGTH + 1)
        sub(/  \((could not be started|stopped)\)$/, "", command)
        time = head
        sub(/^\[/, "", time)
        sub(/ s\].*$/, "", time)
        task = head
        sub(/^[^{]*\{/, "", task)
        sub(/\}.*$/, "", task)
        if (task == "preparation") ready = 1
        # A start runs from its first command to the interface lookup that ends a
        # successful one; commands of other tasks may stand in between.
        if (task == "start") {
          if (!in_start) { first = time; in_start = 1 }
          if (command == "netsh interface ipv4 show offload" ||
              command ~ /^tethering: start .* -> ok status 0$/) {
            started = time - first
            in_start = 0
          }
        }
        next
      }
      line = tolower($0)
      # The hosted network lists each associated device on a line of its own.
      if (match(line, /^[ \t]+[0-9a-f][0-9a-f](:[0-9a-f][0-9a-f])+[ \t]/)) {
        mac = substr(line, RSTART, RLENGTH)
        gsub(/[ \t]/, "", mac)
        gsub(/:/, "-", mac)
        stations[mac] = 1
      }
      # "arp -a": an IPv4 address followed by a hardware address.
      if (match(line, /^[ \t]+[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+[ \t]+[0-9a-f][0-9a-f](-[0-9a-f][0-9a-f])+/)) {
        entry = substr(line, RSTART, RLENGTH)
        sub(/^[ \t]+[0-9.]+[ \t]+/, "", entry)
        seen[entry] = 1
      }
    }
    END {
      flush()
      printf "%d %s %s\n", ready, (started == "" ? "-" : sprintf("%.1f", started)), \
        (listed == "" ? "-" : listed)
    }
  ' "$journal"
}

# shoot NAME: the Wine desktop (800x600 at the top left of the display) as NAME.png.
shoot() {
  import -window root -crop 800x600+0+0 +repage "$shots/$1.png" 2>/dev/null || true
  echo "  $shots/$1.png"
}

# waits SECONDS CONDITION: polls the journal once a second until the condition on its
# figures ($ready, $started, $listed) holds; false when the time ran out.
waits() {
  local seconds=$1 condition=$2
  for _ in $(seq 1 "$seconds"); do
    read -r ready started listed < <(journal_figures)
    eval "$condition" && return 0
    sleep 1
  done
  return 1
}

expected=${HS_RUN_DEVICES:-}
if [ -z "$expected" ]; then
  if [ -n "$scenario_file" ]; then
    expected=$(grep -c '^[[:space:]]*device[[:space:]]' "$scenario_file" || true)
  else
    expected=3
  fi
fi

# A Wine desktop window stands in for a window manager: it draws the window frames,
# a taskbar and the notification area. The main window stands at 50,50; its frame and
# caption add about 3 and 22 pixels.
env LC_ALL="$HS_WINE_LOCALE" wine explorer /desktop=tulawifi,800x600 "$exe" "${args[@]}" \
  >/dev/null 2>&1 &
prog=$!

# 1. The idle window, once the background preparation has run (a fresh prefix takes a
#    while to start).
if ! waits 90 '[ "$ready" = 1 ]'; then
  shoot step-1-no-journal
  echo "run.sh: the program made no command journal within 90 s" >&2
  exit 1
fi
sleep 3
shoot step-1-idle

# 2. "开启共享" pressed: the button at 144,157 (86x42) of the client area.
xdotool mousemove 238 248 click 1
sleep 1.5
shoot step-2-starting

# 3. Sharing runs.
waits 60 '[ "$started" != - ]' || true
sleep 1
shoot step-3-started

# 4. The phones join; a refresh pass lists them every 10 s.
if [ "$expected" -gt 0 ]; then
  waits "${HS_RUN_SECONDS:-120}" '[ "$listed" != - ] && [ "$listed" -ge "$expected" ]' || true
fi
sleep 1
shoot step-4-devices-joined

# 5. The device page: the tab "管理用户" under the caption.
xdotool mousemove 140 80 click 1
sleep 3
shoot step-5-device-page

kill -0 "$prog" 2>/dev/null || echo "run.sh: the program ended early" >&2
read -r _ started listed < <(journal_figures)
journal=$(journal_path)
echo "Screenshots: $shots"
echo "Command journal: ${journal:-(none)}"
if [ "$started" = - ]; then
  echo "hotspot did not start; ${listed/-/0} devices listed"
else
  echo "hotspot started in $started s; ${listed/-/0} devices listed"
fi
