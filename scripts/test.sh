#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the native, the two sanitizer and the two
# Windows presets (32-bit and 64-bit), runs the native tests directly and the Windows
# tests under the Wine of their architecture, and ends with one line of passed and
# failed counts.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
cd "$top"

bash "$here/bootstrap.sh" || { echo "0 passed, 1 failed"; exit 1; }

jobs=$(nproc 2>/dev/null || echo 2)
passed=0
failed=0
summary=()

run_preset() {
  local preset=$1
  echo "=== $preset: configure and build"
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" -j "$jobs"; then
    echo "=== $preset: BUILD FAILED"
    failed=$((failed + 1))
    summary+=("$preset: build failed")
    return
  fi
  echo "=== $preset: tests"
  local log
  log=$(mktemp)
  ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$log"
  local line p f
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$line" ]; then
    failed=$((failed + 1))
    summary+=("$preset: no test result")
  else
    local total
    f=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
    p=$((total - f))
    passed=$((passed + p))
    failed=$((failed + f))
    summary+=("$preset: $p passed, $f failed")
  fi
  rm -f "$log"
}

run_preset linux
run_preset linux-asan
# The worker threads and the window thread's dispatcher under ThreadSanitizer.
run_preset linux-tsan
# run_windows_preset PRESET ARCH: builds a Windows preset and runs its tests under the
# Wine of ARCH (win32 or win64), in that architecture's prefixes (scripts/wine-env.sh;
# ctest tells each test the architecture too).
run_windows_preset() {
  local preset=$1
  export HS_WINE_ARCH=$2
  unset WINEPREFIX
  source "$here/wine-env.sh"
  # One wineserver serves every Windows test binary of the preset. Wine's own
  # background processes (services, device manager) are started here, with their
  # output going nowhere: started by the first test instead, they would inherit that
  # test's output pipe and ctest would wait for it to close until the time-out.
  wineserver -p >/dev/null 2>&1 || true
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  run_preset "$preset"
  wineserver -k >/dev/null 2>&1 || true
}
# The windows the tests open go to a virtual display unless there is a real one.
if [ -z "${DISPLAY:-}" ]; then
  Xvfb :95 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=:95
  sleep 1
fi
run_windows_preset windows win32
run_windows_preset windows-x64 win64
[ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null

echo
for s in "${summary[@]}"; do echo "  $s"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
