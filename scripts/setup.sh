#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test the viewer.
# Idempotent; prints nothing when nothing is missing.
set -euo pipefail

need_root() { if [ "$(id -u)" -ne 0 ]; then echo "setup: run as root (or with sudo) to install: $*" >&2; exit 1; fi; }

packages=(
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
  cmake ninja-build nasm googletest libgtest-dev dpkg-dev g++ clang libclang-rt-14-dev
  libjpeg62-turbo-dev libpng-dev zlib1g-dev
  wine wine32:i386 wine64 xvfb xauth x11-utils x11-apps imagemagick
  locales fonts-ipafont-gothic fonts-wine pulseaudio pulseaudio-utils gcab cabextract
  python3 python3-pil
  ffmpeg  # reads exported video files back in the tests (ffprobe, ffmpeg)
  wkhtmltopdf  # renders the help page for the documentation (scripts/help-pictures.sh)
  msitools wixl zip unzip  # the Windows packages (scripts/package.sh) and their tests
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  need_root "i386 architecture"
  dpkg --add-architecture i386
  updated=no
fi
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# deb-src entry so the dependency sources (with Debian's patches) can be fetched.
src_list=/etc/apt/sources.list.d/tarvo-deb-src.sources
if [ ! -f "$src_list" ]; then
  need_root "deb-src entry"
  cat > "$src_list" <<'EOS'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOS
  updated=no
fi

if [ ${#missing[@]} -gt 0 ] || [ "${updated:-yes}" = no ]; then
  need_root "${missing[*]}"
  echo "setup: installing ${missing[*]:-package lists}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq >/dev/null
  if [ ${#missing[@]} -gt 0 ]; then
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi

# Japanese locale: Wine then uses code pages 932 as on the target systems.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
  need_root "ja_JP.UTF-8 locale"
  sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
