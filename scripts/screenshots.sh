#!/usr/bin/env bash
# Pictures for the documentation: the viewer playing the sample card's event and continuous
# recordings (docs/viewer-event.png, docs/viewer-continuous.png, docs/viewer-event-paused.png
# paused before the detection instant, docs/viewer-laps.png with three laps, docs/viewer-image.png
# with the thumbnail strip filled, docs/export-progress.png exporting the continuous recording)
# and the settings dialog on both tabs and the clock dialog for
# the sample card (docs/settings-*.png, docs/clock-setting.png).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/lib/wine.sh
# The width this machine runs: the 32-bit program where it can, otherwise the 64-bit one.
tarvo_use_width "$(tarvo_run_width)"
bash scripts/deps.sh "$tarvo_width"
cmake --preset "$(tarvo_preset "$tarvo_width")" >/dev/null
cmake --build --preset "$(tarvo_preset "$tarvo_width")" --target viewer-shot dialog-shot export-shot sample-card
trap tarvo_stop_all EXIT
tarvo_start_display own
tarvo_start_wine
bin=build/$tarvo_width/bin
[ -d "$bin/SampleCard" ] || (cd "$bin" && wine sample-card.exe SampleCard >/dev/null)
shots=$(mktemp -d)
(cd "$bin" && wine viewer-shot.exe 'SampleCard\EVENT\0001' 0 14 "Z:$shots/event.bmp")
(cd "$bin" && wine viewer-shot.exe 'SampleCard\CONT\0001' 2 5 "Z:$shots/continuous.bmp")
# Paused before the detection instant: the marker on the bar and a negative offset.
(cd "$bin" && wine viewer-shot.exe 'SampleCard\EVENT\0001' 0 9 "Z:$shots/paused.bmp" pause)
# Three laps timed across the first chapter change, marked on the bar, with the lap list open.
(cd "$bin" && wine viewer-shot.exe 'SampleCard\CONT\0001' 2 1 "Z:$shots/laps.bmp" laps)
(cd "$bin" && wine viewer-shot.exe 'SampleCard\IMAGE\0001' 1 6 "Z:$shots/image.bmp")
# The export of the continuous recording, a third of the way, over the window that played it.
(cd "$bin" && wine export-shot.exe 'SampleCard\CONT\0001' 2 3 "Z:$shots/export.bmp" "Z:$shots/export.avi")
(cd "$bin" && wine dialog-shot.exe settings SampleCard 0 "Z:$shots/settings-simple.bmp")
(cd "$bin" && wine dialog-shot.exe settings SampleCard 1 "Z:$shots/settings-detailed.bmp")
(cd "$bin" && TZ=JST-9 wine dialog-shot.exe clock SampleCard 0 "Z:$shots/clock-setting.bmp")
for name in settings-simple settings-detailed clock-setting; do convert "$shots/$name.bmp" "docs/$name.png"; done
convert "$shots/event.bmp" docs/viewer-event.png
convert "$shots/continuous.bmp" docs/viewer-continuous.png
convert "$shots/paused.bmp" docs/viewer-event-paused.png
convert "$shots/laps.bmp" docs/viewer-laps.png
convert "$shots/image.bmp" docs/viewer-image.png
convert "$shots/export.bmp" docs/export-progress.png
rm -rf "$shots"
echo "docs/viewer-event.png docs/viewer-continuous.png docs/viewer-event-paused.png docs/viewer-laps.png docs/viewer-image.png docs/export-progress.png docs/settings-simple.png docs/settings-detailed.png docs/clock-setting.png"
