# Sourced: the Wine environment every script of the project uses.
export WINEPREFIX="${WINEPREFIX:-$HOME/.cache/tulawifi/wine32}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# The locale Wine runs the program in: Simplified Chinese unless told otherwise.
export HS_WINE_LOCALE="${HS_WINE_LOCALE:-zh_CN.UTF-8}"
