#!/usr/bin/env bash
# Builds the viewer and starts it under Wine. Without a display it runs on a virtual one,
# saves a screenshot and prints where it went.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
bash scripts/deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tarvo_Viewer

source scripts/lib/wine.sh
bin=$root/build/win32/bin
if [ -x "$bin/sample-card.exe" ] || [ -f "$bin/sample-card.exe" ]; then
  : # the sample card is written by the run command once the writer exists
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  tarvo_start_wine
  trap tarvo_stop_all EXIT
  (cd "$bin" && wine Tarvo_Viewer.exe)
  exit 0
fi

trap tarvo_stop_all EXIT
tarvo_start_display own
tarvo_start_wine
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
