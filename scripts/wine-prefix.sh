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
