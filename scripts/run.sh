#!/usr/bin/env bash
# Builds the viewer and starts it under Wine: the 32-bit program where this machine can run it,
# otherwise the 64-bit one (TARVO_WINDOWS=win32|win64 chooses). Without a display it runs on a
# virtual one, saves a screenshot and prints where it went.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
source scripts/lib/wine.sh
width=$(tarvo_run_width)
tarvo_use_width "$width"
if [ "$width" = win32 ]; then
  echo "run: the 32-bit viewer (build/win32), which this machine can run"
elif [ -n "${TARVO_WINDOWS:-}" ]; then
  echo "run: the 64-bit viewer (build/win64), as TARVO_WINDOWS=$TARVO_WINDOWS asks"
else
  echo "run: the 64-bit viewer (build/win64): $(tarvo_not_run_reason win32)"
fi
bash scripts/deps.sh "$width"
cmake --preset "$(tarvo_preset "$width")" >/dev/null
cmake --build --preset "$(tarvo_preset "$width")" --target Tarvo_Viewer sample-card

bin=$tarvo_bin

# A card to open: written once next to the viewer, by the Windows writer under the running Wine.
write_sample_card() {
  [ -d "$bin/SampleCard" ] && return 0
  echo "writing a sample card to $bin/SampleCard" >&2
  if ! (cd "$bin" && wine sample-card.exe SampleCard.partial >/dev/null); then
    rm -rf "$bin/SampleCard.partial"
    echo "could not write the sample card" >&2
    return 1
  fi
  mv "$bin/SampleCard.partial" "$bin/SampleCard"
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  tarvo_start_wine
  trap tarvo_stop_all EXIT
  write_sample_card
  (cd "$bin" && wine Tarvo_Viewer.exe)
  exit 0
fi

trap tarvo_stop_all EXIT
tarvo_start_display own
tarvo_start_wine
write_sample_card
(cd "$bin" && wine Tarvo_Viewer.exe) &
viewer=$!
shot=$root/build/screenshot.png
for i in $(seq 1 100); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Tarvo_Viewer'; then break; fi
  sleep 0.2
done
sleep 2
import -window root "$shot"
echo "The viewer is running on a virtual display; screenshot: $shot"
wineserver -k >/dev/null 2>&1 || true
wait "$viewer" 2>/dev/null || true
