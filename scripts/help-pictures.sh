#!/usr/bin/env bash
# The help page's pictures, taken again from the viewer playing the sample card: writes
# resources/help/22101.png ... 22124.png (each cut to the element the page explains there), then
# docs/about-dialog.png and docs/help-page.png (the help page as a browser shows it). Run it after
# the main window has changed, and rebuild.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/lib/wine.sh
# The width this machine runs: the 32-bit program where it can, otherwise the 64-bit one.
tarvo_use_width "$(tarvo_run_width)"
bash scripts/deps.sh "$tarvo_width"
cmake --preset "$(tarvo_preset "$tarvo_width")" >/dev/null
cmake --build --preset "$(tarvo_preset "$tarvo_width")" --target help-shots sample-card
trap tarvo_stop_all EXIT
tarvo_start_display own
bin=build/$tarvo_width/bin
# The card as the user sees it: a drive of its own, so that titles and the folder browser show
# E:\EVENT\0001 rather than a build folder. Wine lists the drives it finds when it starts.
tarvo_prepare_prefix
ln -sfn "$root/$bin/SampleCard" "$WINEPREFIX/dosdevices/e:"
tarvo_start_wine
[ -d "$bin/SampleCard" ] || (cd "$bin" && wine sample-card.exe SampleCard >/dev/null)
shots=$(mktemp -d)
(cd "$bin" && wine help-shots.exe 'E:' "Z:${shots//\//\\}")
rm -f "$WINEPREFIX/dosdevices/e:"
for id in $(seq 22101 22124); do
  convert "$shots/$id.bmp" "resources/help/$id.png"
done
cp resources/help/22122.png docs/about-dialog.png

# The page as the user's browser shows it, from the files the viewer writes (Shift_JIS page,
# pictures beside it).
page=$(mktemp -d)
cp resources/help/*.png resources/help/help.html "$page/"
wkhtmltoimage --quiet --enable-local-file-access --width 1000 --encoding Shift_JIS \
  "$page/help.html" "$shots/help-page.png" || true
convert "$shots/help-page.png" -strip docs/help-page.png
rm -rf "$shots" "$page"
echo "resources/help/221xx.png docs/about-dialog.png docs/help-page.png"
