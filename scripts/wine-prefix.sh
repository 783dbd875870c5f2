# Sourced: makes the Wine prefix $WINEPREFIX when it does not exist yet, and settles
# the settings the project's prefixes use, once per prefix (a marker file remembers
# it): a CJK face stands in for the dialog and caption fonts, so message boxes show
# Chinese text, and a crash ends the program at once.
hs_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating the Wine prefix $WINEPREFIX" >&2
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  # A prefix serves the architecture it was made for; Wine refuses the other's programs.
  local made
  made=$(sed -n 's/^#arch=//p' "$WINEPREFIX/system.reg" 2>/dev/null | head -n 1)
  if [ -n "$made" ] && [ "$made" != "$WINEARCH" ]; then
    echo "the Wine prefix $WINEPREFIX is $made, not $WINEARCH" >&2
    return 1
  fi
  local marker="$WINEPREFIX/.tulawifi-prefix"
  [ -f "$marker" ] && return 0
  local face
  for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "WenQuanYi Micro Hei" /f \
      >/dev/null 2>&1 || return 0
  done
  # A crashing program ends with its error instead of waiting in the debugger.
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d "" /f \
    >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  touch "$marker"
}

# Sourced, for the checks that drive the program under Wine on a display of their
# own: uses the prefix $1 (made and settled by hs_wine_prefix), removes the simulated
# laptop's files left in it (%TEMP%\tulawifi-sim) so the program starts afresh, makes
# a scratch folder $work, starts Xvfb on display $2 and exports it as DISPLAY. At the
# script's exit every Wine process of the prefix ends and Xvfb and $work go.
hs_wine_check_setup() {
  local prefix=$1
  # In the 64-bit build a prefix named for the 32-bit one (.../tulawifi/wine32-NAME)
  # becomes its 64-bit twin (.../tulawifi/wine64-NAME): a check written for one build
  # serves both.
  if [ "$WINEARCH" = win64 ]; then
    prefix=${prefix/\/tulawifi\/wine32/\/tulawifi\/wine64}
  fi
  export WINEPREFIX="$prefix"
  hs_wine_prefix || exit 1
  find "$WINEPREFIX/drive_c/users" -maxdepth 5 -type d -name tulawifi-sim -prune \
    -exec rm -rf {} + 2>/dev/null || true
  work=$(mktemp -d)
  Xvfb "$2" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  hs_check_xvfb=$!
  trap 'wineserver -k >/dev/null 2>&1 || true; kill "$hs_check_xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
  export DISPLAY="$2"
  sleep 1
}
