#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the project's private prefix of its width,
# with the locale and time zone of the target systems: wine-exec.sh win32|win64 PROGRAM ARGS...
# (the CMake presets' emulator). scripts/lib/wine.sh prepares the prefix.
root=$(cd "$(dirname "$0")/.." && pwd)
width=$1
shift
case "$width" in
  win32) loader=/usr/lib/wine/wine ;;
  win64) loader=/usr/lib/wine/wine64 ;;
  *) echo "wine-exec.sh: the first argument is the width, win32 or win64" >&2; exit 2 ;;
esac
export WINEPREFIX=$root/build/wine-$width
export WINEARCH=$width
export WINELOADER=$loader
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml,winemenubuilder.exe=;winedbg.exe=d"}
export LANG=${TARVO_LANG:-ja_JP.UTF-8}
export TZ=${TZ:-JST-9}
exec "$loader" "$@"
