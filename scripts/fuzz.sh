#!/usr/bin/env bash
# Fuzzes the archive reader for about a minute (FUZZ_SECONDS) over the seed files and every input
# kept in tests/recording/fuzz-regressions, then the settings files' readers for a shorter while
# (FUZZ_SETTINGS_SECONDS) over the sample card's settings seeds and
# tests/device/settings-fuzz-regressions. A crash leaves its input in build/fuzz/artifacts: add it
# to the regressions once the fault is mended.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bin=build/host/bin
if [ ! -x "$bin/fuzz-archive" ] || [ ! -x "$bin/fuzz-seeds" ] || [ ! -x "$bin/fuzz-settings" ]; then
  cmake --preset host >/dev/null
  cmake --build --preset host --target fuzz-archive fuzz-seeds fuzz-settings
fi

work=build/fuzz
regressions=tests/recording/fuzz-regressions
mkdir -p "$work/corpus" "$work/seeds" "$work/artifacts"
rm -f "$work/seeds"/*
# Every run writes and deletes temporary files: a memory file system keeps that cheap.
if scratch=$(mktemp -d /dev/shm/tarvo-fuzz.XXXXXX 2>/dev/null); then :; else
  scratch=$(mktemp -d "$root/$work/tmp.XXXXXX")
fi
trap 'rm -rf "$scratch"' EXIT
"$bin/fuzz-seeds" "$work/seeds"
if [ -x "$bin/sample-card" ]; then
  "$bin/sample-card" --fuzz-seeds "$work/seeds"
fi

export TZ=JST-9 TMPDIR="$scratch"
options=(-timeout=10 -rss_limit_mb=2048 -max_len=1048576 -artifact_prefix="$work/artifacts/")

echo "fuzz: replaying $(ls "$regressions" | wc -l) regression inputs"
"$bin/fuzz-archive" "${options[@]}" "$regressions"/* 2>"$work/replay.log" || {
  cat "$work/replay.log" >&2
  exit 1
}

echo "fuzz: ${FUZZ_SECONDS:-60} s over $work/corpus, the seeds and the regressions"
"$bin/fuzz-archive" "${options[@]}" -max_total_time="${FUZZ_SECONDS:-60}" -print_final_stats=1 \
  "$work/corpus" "$work/seeds" "$regressions" 2>"$work/fuzz.log" || {
  tail -60 "$work/fuzz.log" >&2
  echo "fuzz: failed; the input is in $work/artifacts" >&2
  exit 1
}
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)|^Done' "$work/fuzz.log" || true

settings_regressions=tests/device/settings-fuzz-regressions
mkdir -p "$work/settings-corpus" "$work/settings-seeds"
rm -f "$work/settings-seeds"/*
cp "$work/seeds"/*.DAT "$work/seeds"/*.INI "$work/settings-seeds"/ 2>/dev/null || true
echo "fuzz: ${FUZZ_SETTINGS_SECONDS:-20} s of the settings files over $work/settings-corpus, the seeds and the regressions"
"$bin/fuzz-settings" "${options[@]}" -max_len=4096 -max_total_time="${FUZZ_SETTINGS_SECONDS:-20}" -print_final_stats=1 \
  "$work/settings-corpus" "$work/settings-seeds" "$settings_regressions" 2>"$work/fuzz-settings.log" || {
  tail -60 "$work/fuzz-settings.log" >&2
  echo "fuzz: the settings fuzzer failed; the input is in $work/artifacts" >&2
  exit 1
}
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)|^Done' "$work/fuzz-settings.log" || true
