#!/usr/bin/env bash
# Runs some of the Windows tests under Wine with their own display, wineserver and sound server,
# as the test command does for all of them: bash scripts/wine-ctest.sh -R 'player|shell'
# (the arguments go to ctest), on the width this machine runs (TARVO_WINDOWS=win32|win64 chooses).
# Build first: cmake --build --preset windows (or windows64) --target NAME...
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/lib/wine.sh
source scripts/lib/sound.sh
trap 'tarvo_stop_sound; tarvo_stop_all' EXIT
tarvo_use_width "$(tarvo_run_width)"
tarvo_start_display own
tarvo_start_wine
tarvo_start_sound || exit 1
ctest --preset "$(tarvo_preset "$tarvo_width")" "$@"
