#!/usr/bin/env bash
# Cross-builds the Windows dependencies (libjpeg-turbo with the v6.2 interface and libpng)
# from Debian's source packages into build/deps/win32 or build/deps/win64:
#   bash scripts/deps.sh [win32|win64|both|sources]   (win32 when not told)
# Built once per width, then reused. "sources" only fetches the sources (the host tests read
# libpng's test pictures from them).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deps=$root/build/deps

case "${1:-win32}" in
  both) bash "$0" win32 && exec bash "$0" win64 ;;
  sources) width=sources ;;
  win32) width=win32 triple=i686-w64-mingw32 toolchain=$root/cmake/mingw-i686.cmake ;;
  win64) width=win64 triple=x86_64-w64-mingw32 toolchain=$root/cmake/mingw-x86_64.cmake ;;
  *) echo "deps: unknown width '$1' (win32, win64, both or sources)" >&2; exit 2 ;;
esac
prefix=$deps/$width
stamp=$prefix/.complete-v1
[ -f "$stamp" ] && exit 0

mkdir -p "$deps/src" "$deps/build/$width"
log=$deps/build-$width.log
: > "$log"

fetch() { # package name -> unpacked source folder
  local pkg=$1 dir
  dir=$(find "$deps/src" -maxdepth 1 -type d -name "$2-*" | head -n 1)
  if [ -z "$dir" ]; then
    (cd "$deps/src" && apt-get source -qq "$pkg" >>"$log" 2>&1)
    dir=$(find "$deps/src" -maxdepth 1 -type d -name "$2-*" | head -n 1)
  fi
  [ -n "$dir" ] || { echo "deps: could not fetch the source of $pkg" >&2; exit 1; }
  echo "$dir"
}

build() { # name source-dir cmake-args...
  local name=$1 src=$2; shift 2
  rm -rf "$deps/build/$width/$name"
  cmake -S "$src" -B "$deps/build/$width/$name" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >>"$log" 2>&1
  cmake --build "$deps/build/$width/$name" >>"$log" 2>&1
  cmake --install "$deps/build/$width/$name" >>"$log" 2>&1
}

jpeg_src=$(fetch libjpeg-turbo libjpeg-turbo)
png_src=$(fetch libpng1.6 libpng1.6)
[ "$width" = sources ] && exit 0
echo "deps: building libjpeg-turbo and libpng for $triple (log: $log)" >&2
build jpeg "$jpeg_src" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_JPEG7=OFF -DWITH_JPEG8=OFF \
  -DWITH_TURBOJPEG=OFF -DREQUIRE_SIMD=ON

build png "$png_src" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_LIBRARY=/usr/$triple/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/$triple/include


touch "$stamp"
