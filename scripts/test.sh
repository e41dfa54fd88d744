#!/usr/bin/env bash
# Builds every configuration and runs every test: first the host core under the sanitizers and
# its fuzzers, then the Windows programs under Wine on a virtual display, on every width this
# machine can run (TARVO_WINDOWS=win32|win64|both chooses). Both widths are always built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
echo "== include floors"
bash scripts/check-floors.sh
source scripts/lib/wine.sh
widths=$(tarvo_windows_widths)

status=0
bash scripts/deps.sh sources
cmake --preset host >/dev/null
cmake --build --preset host
echo "== host tests (sanitizers)"
ctest --preset host || status=1
if [ -x scripts/fuzz.sh ]; then
  echo "== fuzzing"
  bash scripts/fuzz.sh || status=1
fi

# A Windows build that fails ends the run here, after the host tests have been reported.
for width in win32 win64; do
  echo "== build of the $width program"
  bash scripts/deps.sh "$width"
  cmake --preset "$(tarvo_preset "$width")" >/dev/null
  cmake --build --preset "$(tarvo_preset "$width")"
done

source scripts/lib/sound.sh
trap 'tarvo_stop_sound; tarvo_stop_all' EXIT
tarvo_start_display own
tarvo_start_sound
for width in win32 win64; do
  bits=${width#win}
  if [[ " $widths " != *" $width "* ]]; then
    echo "$bits-bit Windows tests not run: $(tarvo_not_run_reason "$width")"
    continue
  fi
  tarvo_use_width "$width"
  echo "== $bits-bit Windows tests (Wine's $bits-bit loader $tarvo_loader, prefix build/wine-$width)"
  tarvo_start_wine
  ctest --preset "$(tarvo_preset "$width")" || status=1
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
done
exit $status
