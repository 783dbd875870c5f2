#!/usr/bin/env bash
# Installs, once, every Debian package the builds, tests, demo and screenshots need,
# and makes the Wine prefix the Windows tests run in. Safe to run again: it only
# installs what is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(
  cmake make g++ pkg-config
  libgtest-dev googletest libzbar-dev zbar-tools
  clang-format
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  wine wine32:i386
  xvfb xauth x11-utils xdotool imagemagick
  fonts-wqy-microhei
  python3 locales
)

sudo_() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  sudo_ dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
  echo "bootstrap: installing ${missing[*]}"
  # A mirror in the middle of a sync fails one index now and then; apt keeps the
  # indexes it did get, which are usually enough. The install is tried twice, with a
  # fresh update in between, before the bootstrap gives up.
  install_missing() {
    sudo_ apt-get update -qq || echo "bootstrap: apt-get update reported errors; going on" >&2
    [ ${#missing[@]} -eq 0 ] ||
      sudo_ env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  }
  # When the security suite's index of one architecture is the broken one, its newer
  # amd64 packages have no i386 twins and wine32 cannot be installed. The last try
  # installs from the main suites alone, with a sources list and indexes of its own
  # that leave the machine's apt configuration as it is.
  install_from_main() {
    local t
    t=$(mktemp -d)
    mkdir -p "$t/parts" "$t/lists/partial"
    awk 'BEGIN { RS = ""; ORS = "\n\n" } !/debian-security/' \
      /etc/apt/sources.list.d/debian.sources >"$t/parts/debian.sources"
    local o=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$t/parts"
      -o "Dir::State::Lists=$t/lists")
    echo "bootstrap: installing from the main suites without the security suite" >&2
    sudo_ apt-get "${o[@]}" update -qq || true
    sudo_ env DEBIAN_FRONTEND=noninteractive apt-get "${o[@]}" install -y -qq \
      --no-install-recommends "${missing[@]}" >/dev/null
  }
  install_missing || { sleep 20; install_missing; } ||
    { [ -f /etc/apt/sources.list.d/debian.sources ] && install_from_main; }
fi

# Wine runs the program as a Chinese system; it needs the locale to exist on the
# Unix side to name files in Chinese.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "bootstrap: generating the zh_CN.UTF-8 locale"
  sudo_ sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | sudo_ tee -a /etc/locale.gen >/dev/null
  sudo_ locale-gen >/dev/null
fi

bash "$here/fetch-qrcodegen.sh"  # the QR code library's source, built into hs_join
# The Wine prefix is made once; later runs reuse it.
source "$here/wine-env.sh"
source "$here/wine-prefix.sh"
hs_wine_prefix
