#!/usr/bin/env bash
# Builds both configurations and runs every test: the host core under the sanitizers, then the
# Windows programs under Wine on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
echo "== include floors"
bash scripts/check-floors.sh
bash scripts/deps.sh

cmake --preset host >/dev/null
cmake --build --preset host
cmake --preset windows >/dev/null
cmake --build --preset windows

source scripts/lib/wine.sh
trap tarvo_stop_all EXIT
tarvo_start_display own
tarvo_start_wine
[ -f scripts/lib/sound.sh ] && { source scripts/lib/sound.sh; tarvo_start_sound; trap 'tarvo_stop_sound; tarvo_stop_all' EXIT; }

status=0
echo "== host tests (sanitizers)"
ctest --preset host || status=1
echo "== Windows tests (Wine)"
ctest --preset windows || status=1
if [ -x scripts/fuzz.sh ]; then
  echo "== fuzzing"
  bash scripts/fuzz.sh || status=1
fi
exit $status
