#!/usr/bin/env bash
# Builds the viewer and starts it under Wine. Without a display it runs on a virtual one,
# saves a screenshot and prints where it went.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
bash scripts/deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tarvo_Viewer sample-card

source scripts/lib/wine.sh
bin=$root/build/win32/bin

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
