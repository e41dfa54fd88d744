#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the project's private prefix, with the
# locale and time zone of the target systems. scripts/lib/wine.sh prepares the prefix.
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wine}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml,winemenubuilder.exe=;winedbg.exe=d"}
export LANG=${TARVO_LANG:-ja_JP.UTF-8}
export TZ=${TZ:-JST-9}
exec wine "$@"
