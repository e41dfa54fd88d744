#!/usr/bin/env bash
# Writes the Windows packages into dist/: for each width an MSI package and a portable zip,
# Tarvo_Viewer-<version>-x86.msi/.zip (32-bit) and -x64.msi/.zip (64-bit). Builds the programs
# first where they are missing or out of date; with --built it packs the programs as they are
# (the test command, which has just built them).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/lib/wine.sh
source scripts/lib/package.sh

if [ "${1:-}" != --built ]; then
  bash scripts/setup.sh
  for width in win32 win64; do
    bash scripts/deps.sh "$width"
    cmake --preset "$(tarvo_preset "$width")" >/dev/null
    cmake --build --preset "$(tarvo_preset "$width")" --target Tarvo_Viewer
  done
fi

mkdir -p dist
staged=$(mktemp -d)
trap 'rm -rf "$staged"' EXIT
for width in win32 win64; do
  tarvo_package_info "$width"
  base=dist/Tarvo_Viewer-$tarvo_version-$(tarvo_package_arch "$width")
  tarvo_stage_files "$width" "$tarvo_version" "$staged/$width"
  tarvo_make_msi "$staged/$width" "$width" "$tarvo_version" "$root/$base.msi"
  tarvo_make_zip "$staged/$width" "$root/$base.zip"
  echo "package: $base.msi ($(stat -c %s "$base.msi") bytes), $base.zip ($(stat -c %s "$base.zip") bytes)"
done
