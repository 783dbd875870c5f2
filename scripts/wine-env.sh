# Sourced: the Wine environment every script of the project uses.
export WINEPREFIX="${WINEPREFIX:-$HOME/.cache/tulawifi/wine32}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
