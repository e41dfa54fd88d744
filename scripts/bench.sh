#!/usr/bin/env bash
# Builds the benchmarks of the Windows program (RelWithDebInfo) and runs every one of them under
# Wine on a virtual display, printing their tables. Figures only: nothing here fails on time.
# The machine is shared, so every figure is a median with its spread; the load average is
# printed before and after for reading them.
#
# The inputs (an event file, 60 one-minute chapters and one frame, about 900 MB) are written by
# the sample card writer into a temporary folder that is removed at the end; with
# TARVO_BENCH_DATA=DIR they are kept in DIR and reused by later runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
source scripts/lib/wine.sh
# The width this machine runs: the 32-bit program where it can, otherwise the 64-bit one.
tarvo_use_width "$(tarvo_run_width)"
echo "bench: the $tarvo_width programs"
bash scripts/deps.sh "$tarvo_width"
preset=$(tarvo_preset "$tarvo_width")
cmake --preset "$preset" >/dev/null
# Every benchmark program of the build: ours take the inputs' folder, others write their own.
own_benches=(tarvo-bench-reading tarvo-bench-frames tarvo-bench-export)
other_benches=($(ninja -C "build/$tarvo_width" -t targets all 2>/dev/null | sed -n 's/^\(bench-[A-Za-z0-9_-]*\): phony$/\1/p'))
cmake --build --preset "$preset" -j2 --target "${own_benches[@]}" "${other_benches[@]}"

# libjpeg-turbo's own programs built from the dependency's source tree (once): tjbench decodes
# the same frame in a loop of its own; djpeg decodes it once per process.
jpeg_tools=$root/build/deps/build/$tarvo_width/jpeg-tools
build_jpeg_tools() {
  [ -x "$jpeg_tools/tjbench-static.exe" ] && [ -x "$jpeg_tools/djpeg-static.exe" ] && return 0
  local src
  src=$(find "$root/build/deps/src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  [ -n "$src" ] || { echo "bench: no libjpeg-turbo source in build/deps/src" >&2; return 1; }
  echo "bench: building libjpeg-turbo's tjbench and djpeg (log: $jpeg_tools.log)" >&2
  cmake -S "$src" -B "$jpeg_tools" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$( [ "$tarvo_width" = win32 ] && echo i686 || echo x86_64).cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$jpeg_tools/unused" -DCMAKE_EXE_LINKER_FLAGS=-static \
    -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=ON -DREQUIRE_SIMD=ON -DWITH_JPEG7=OFF -DWITH_JPEG8=OFF \
    >"$jpeg_tools.log" 2>&1
  cmake --build "$jpeg_tools" -j2 --target tjbench-static djpeg-static >>"$jpeg_tools.log" 2>&1
}
build_jpeg_tools

data=${TARVO_BENCH_DATA:-}
scratch=
if [ -z "$data" ]; then
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/tarvo-bench.XXXXXX")
  data=$scratch
fi
mkdir -p "$data"
finish() {
  declare -F tarvo_stop_sound >/dev/null && tarvo_stop_sound
  tarvo_stop_all
  [ -n "$scratch" ] && rm -rf "$scratch"
  return 0
}
trap finish EXIT
tarvo_start_display own
tarvo_start_wine
if [ -f scripts/lib/sound.sh ]; then
  # A sound device for programs that play (without one the player runs on its own clock).
  source scripts/lib/sound.sh
  tarvo_start_sound || echo "(no sound server: the player runs on its own clock)"
fi

bin=$tarvo_bin
windata=$(wine winepath -w "$data" 2>/dev/null)
load_average() { cut -d' ' -f1-3 /proc/loadavg; }

# Median milliseconds of `runs` runs of a command (its own process each time).
median_ms() {
  local runs=$1 i start end; shift
  for i in $(seq 1 "$runs"); do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(( (end - start) / 1000 ))
  done | sort -n | awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2;
                                            printf "%.1f ms (min %.1f, max %.1f)", m / 1000, v[1] / 1000, v[NR] / 1000 }'
}

jpeg_tool_figures() {
  echo
  echo "libjpeg-turbo's own programs on the same frame"
  local tj
  tj=$(cd "$data" && wine "$jpeg_tools/tjbench-static.exe" frame.jpg -bgrx -bottomup -benchtime 3 -warmup 1 2>&1 |
       awk '/Frame rate/ { printf "%.3f", 1000 / $(NF - 1) }')
  printf '  %-46s%s\n' "tjbench, BGRX bottom-up (mean over 3 s)" "${tj:-?} ms"
  # A one-pixel-block JPEG made by the same library tells what a djpeg process costs by itself.
  printf 'P6\n8 8\n255\n' >"$data/tiny.ppm"
  head -c 192 /dev/zero >>"$data/tiny.ppm"
  (cd "$data" && wine "$jpeg_tools/djpeg-static.exe" -outfile NUL frame.jpg >/dev/null 2>&1 || true)
  (cd "$data" && wine "$root/build/deps/$tarvo_width/bin/cjpeg.exe" -outfile tiny.jpg tiny.ppm)
  printf '  %-46s%s\n' "djpeg process, the frame" "$(cd "$data" && median_ms 21 wine "$jpeg_tools/djpeg-static.exe" -outfile NUL frame.jpg)"
  printf '  %-46s%s\n' "djpeg process, an 8x8 picture" "$(cd "$data" && median_ms 21 wine "$jpeg_tools/djpeg-static.exe" -outfile NUL tiny.jpg)"
  echo "  (a process start under Wine costs far more than one decode: djpeg's figures bound it only loosely)"
}

# The inputs are written first and pushed onto the disk, so that no write-back of them competes
# with the timed runs (a load writes its sound file, the floor does not).
wine "$bin/tarvo-bench-reading.exe" --data "$windata" --write-inputs
sync -f "$data"

echo "Benchmarks of the Windows build under Wine: $(nproc) cores, load average $(load_average) at the start"
wine "$bin/tarvo-bench-reading.exe" --data "$windata"
wine "$bin/tarvo-bench-reading.exe" --data "$windata" --memory event
wine "$bin/tarvo-bench-reading.exe" --data "$windata" --memory chapter
jpeg_tool_figures
echo
wine "$bin/tarvo-bench-frames.exe" --data "$windata"
echo
wine "$bin/tarvo-bench-export.exe" --data "$windata"
for program in "${other_benches[@]}"; do
  echo
  echo "$program"
  case $program in
    # The 60 one-minute chapters written above time the opening of a long continuous recording.
    bench-playback) wine "$bin/$program.exe" --chapters "$windata\\CONT" ;;
    *) wine "$bin/$program.exe" ;;
  esac
done
echo
echo "load average $(load_average) at the end"
