# Sourced: settings of the Wine prefixes the project uses, made once per prefix (a
# marker file remembers it): a CJK face stands in for the dialog and caption fonts,
# so message boxes show Chinese text, and a crash ends the program at once.
hs_wine_prefix() {
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
