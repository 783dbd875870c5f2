# Sourced: the Wine environment every script of the project uses.
#
# HS_WINE_ARCH chooses the Wine of the build: win32 (the default, the i686 build) or
# win64 (the x86-64 build). A Wine prefix holds programs of one architecture only, so
# each has prefixes of its own, all named from HS_WINE_PREFIX_BASE: the tests' prefix
# is $HS_WINE_PREFIX_BASE itself, a check's own prefix $HS_WINE_PREFIX_BASE-NAME.
export HS_WINE_ARCH="${HS_WINE_ARCH:-win32}"
case "$HS_WINE_ARCH" in
  win32 | win64) ;;
  *)
    echo "wine-env: HS_WINE_ARCH must be win32 or win64, not '$HS_WINE_ARCH'" >&2
    return 2 2>/dev/null || exit 2
    ;;
esac
export HS_WINE_PREFIX_BASE="$HOME/.cache/tulawifi/wine${HS_WINE_ARCH#win}"
export WINEPREFIX="${WINEPREFIX:-$HS_WINE_PREFIX_BASE}"
export WINEARCH="$HS_WINE_ARCH"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# The locale Wine runs the program in: Simplified Chinese unless told otherwise.
export HS_WINE_LOCALE="${HS_WINE_LOCALE:-zh_CN.UTF-8}"
