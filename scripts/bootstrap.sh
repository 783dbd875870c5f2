#!/usr/bin/env bash
# Installs, once, every Debian package the builds, tests, demo and screenshots need,
# and makes the Wine prefixes the Windows tests run in (32-bit and 64-bit). Safe to run
# again: it only installs what is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(
  cmake make g++ pkg-config
  libgtest-dev googletest libzbar-dev zbar-tools
  clang-format
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
  binutils-mingw-w64-x86-64
  wine wine32:i386 libwine:i386 wine64 libwine:amd64
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

# The 32-bit and the 64-bit Wine each need the other architecture's twin of their
# libraries at the same version (Multi-Arch: same). When the security suite has a
# newer amd64 build of one of them without its i386 twin, a plain install of wine64
# takes the newer amd64 one and removes wine32 with its i386 twin. So each of these
# libraries is installed, for both architectures, at the newest version both have.
twins=(libgstreamer-plugins-base1.0-0)

# common_version PACKAGE APT-OPTIONS...: the newest version of PACKAGE that apt's
# indexes have for amd64 and for i386 alike; empty when there is none.
common_version() {
  local package=$1 best="" v
  shift
  local versions=()
  for arch in amd64 i386; do
    versions+=("$(apt-cache "$@" madison "$package:$arch" 2>/dev/null |
      awk -F'|' '/Packages/ { gsub(/ /, "", $2); print $2 }' | sort -u)")
  done
  for v in $(comm -12 <(printf '%s\n' "${versions[0]}") <(printf '%s\n' "${versions[1]}")); do
    if [ -z "$best" ] || dpkg --compare-versions "$v" gt "$best"; then best=$v; fi
  done
  printf '%s\n' "$best"
}

# apt_install APT-OPTIONS...: installs the missing packages, with the twins pinned when
# Wine is among them.
apt_install() {
  local wanted=("${missing[@]}") pins=() p v
  [ ${#wanted[@]} -gt 0 ] || return 0
  if printf '%s\n' "${wanted[@]}" | grep -q '^\(lib\)\?wine'; then
    for p in "${twins[@]}"; do
      v=$(common_version "$p" "$@")
      if [ -n "$v" ]; then
        pins+=("$p:amd64=$v" "$p:i386=$v")
      fi
    done
    [ ${#pins[@]} -eq 0 ] || echo "bootstrap: both architectures get ${pins[*]}"
  fi
  sudo_ env DEBIAN_FRONTEND=noninteractive apt-get "$@" install -y -qq --no-install-recommends \
    --allow-downgrades "${wanted[@]}" "${pins[@]}" >/dev/null
}

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
  echo "bootstrap: installing ${missing[*]}"
  # A mirror in the middle of a sync fails one index now and then; apt keeps the
  # indexes it did get, which are usually enough. The install is tried twice, with a
  # fresh update in between, before the bootstrap gives up.
  install_missing() {
    sudo_ apt-get update -qq || echo "bootstrap: apt-get update reported errors; going on" >&2
    apt_install
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
    apt_install "${o[@]}"
  }
  install_missing || { sleep 20; install_missing; } ||
    { [ -f /etc/apt/sources.list.d/debian.sources ] && install_from_main; }
fi

# Both Wines: the 32-bit one runs the i686 build, the 64-bit one the x86-64 build.
for loader in /usr/lib/wine/wine /usr/lib/wine/wine64; do
  if [ ! -x "$loader" ]; then
    echo "bootstrap: $loader is missing after the install (wine32:i386 and wine64 are both needed)" >&2
    exit 1
  fi
done

# Wine runs the program as a Chinese system; it needs the locale to exist on the
# Unix side to name files in Chinese.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "bootstrap: generating the zh_CN.UTF-8 locale"
  sudo_ sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | sudo_ tee -a /etc/locale.gen >/dev/null
  sudo_ locale-gen >/dev/null
fi

bash "$here/fetch-qrcodegen.sh"  # the QR code library's source, built into hs_join
# The Wine prefixes of the tests, one per architecture, are made once; later runs
# reuse them.
for arch in win32 win64; do
  (
    unset WINEPREFIX
    export HS_WINE_ARCH=$arch
    source "$here/wine-env.sh"
    source "$here/wine-prefix.sh"
    hs_wine_prefix
  )
done
