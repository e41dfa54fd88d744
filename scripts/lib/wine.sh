# Sourced by the scripts that run Windows programs: which widths this machine can run, a display,
# a Wine prefix per width and one wineserver.
#
# Debian's Wine runs a 32-bit Windows program only through its 32-bit loader, itself a 32-bit
# Linux program that some kernels cannot execute (its wrapper picks that loader whenever it is
# installed, even there); the 64-bit loader runs only 64-bit Windows programs. So the loader is
# chosen here, by path, and each width has its own prefix under build/.
# TARVO_WINDOWS=win32|win64|both overrides what the machine is found to run.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
tarvo_loader32=/usr/lib/wine/wine
tarvo_loader64=/usr/lib/wine/wine64
export WINEDEBUG=-all
# No debugger on a crash: the test program ends at once with a failure instead of waiting.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=;winedbg.exe=d"
export LANG=ja_JP.UTF-8
export TZ=JST-9
export XDG_RUNTIME_DIR=$root/build/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# True when this machine can execute the loader of the width (win32 or win64).
tarvo_can_run() {
  local loader=$tarvo_loader64
  [ "$1" = win32 ] && loader=$tarvo_loader32
  [ -x "$loader" ] && "$loader" --version >/dev/null 2>&1
}

# The widths to run, in order: TARVO_WINDOWS where set, otherwise every width the machine runs.
tarvo_windows_widths() {
  case "${TARVO_WINDOWS:-}" in
    win32|win64) echo "$TARVO_WINDOWS"; return 0 ;;
    both) echo "win32 win64"; return 0 ;;
    "") ;;
    *) echo "TARVO_WINDOWS must be win32, win64 or both, not '$TARVO_WINDOWS'" >&2; return 2 ;;
  esac
  local widths=
  tarvo_can_run win32 && widths=win32
  tarvo_can_run win64 && widths="${widths:+$widths }win64"
  echo "$widths"
}

# The one width to use where one program is run (the viewer, benchmarks, pictures): the 32-bit
# product where the machine runs it, otherwise the 64-bit program.
tarvo_run_width() {
  local widths
  widths=$(tarvo_windows_widths) || return 2
  [ -n "$widths" ] || { echo "this machine runs no Windows program: neither of Wine's loaders starts" >&2; return 1; }
  echo "${widths%% *}"
}

# Why a width is not run, in one plain line.
tarvo_not_run_reason() {
  if [ -n "${TARVO_WINDOWS:-}" ]; then
    echo "not asked for (TARVO_WINDOWS=$TARVO_WINDOWS)"
  elif [ "$1" = win32 ]; then
    echo "this machine cannot execute 32-bit programs"
  else
    echo "this machine cannot execute Wine's 64-bit loader"
  fi
}

# Makes the width's loader, prefix and build folder the current ones: the functions wine and
# wineboot below, and tarvo_bin, follow them.
tarvo_use_width() {
  tarvo_width=$1
  export WINEARCH=$1
  export WINEPREFIX=$root/build/wine-$1
  if [ "$1" = win32 ]; then tarvo_loader=$tarvo_loader32; else tarvo_loader=$tarvo_loader64; fi
  export WINELOADER=$tarvo_loader
  tarvo_bin=$root/build/$1/bin
}
wine() { "$tarvo_loader" "$@"; }
wineboot() { "$tarvo_loader" wineboot "$@"; }
# The CMake preset of a width.
tarvo_preset() { if [ "$1" = win32 ]; then echo windows; else echo windows64; fi; }

tarvo_xvfb_pid=
# Starts a virtual display when there is none (or always, with "own").
tarvo_start_display() {
  if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != own ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  tarvo_xvfb_pid=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "could not start a virtual display" >&2
  return 1
}

# Bumped whenever the prefix gains something, so that prefixes made before are made again.
tarvo_prefix_stamp=.tarvo-ready-3

# A window caption as Japanese Windows draws it: a proportional Japanese font that shows the
# underscore of "Tarvo_Viewer" (the monospaced one loses it at caption size). A LOGFONTW in hex:
# height -12, bold, SHIFTJIS_CHARSET, face IPAPGothic.
tarvo_caption_font() {
  local face hex=F4FFFFFF000000000000000000000000BC0200000000008000000022
  face=$(printf 'IPAPGothic' | iconv -f ASCII -t UTF-16LE | od -An -tx1 | tr -d ' \n' | tr a-f A-F)
  hex=$hex$face
  while [ ${#hex} -lt 184 ]; do hex=${hex}00; done
  printf '%s' "$hex"
}

# Creates the prefix once: Japanese fonts for the names the viewer asks for, Wine's own fonts
# where its font loader finds them (Marlett draws the caption buttons; without it they show as
# the letters "0 1 r"), no window manager decorations (a managed window costs seconds under Xvfb).
tarvo_prepare_prefix() {
  if [ ! -f "$WINEPREFIX/$tarvo_prefix_stamp" ]; then
    echo "wine: creating the prefix in $WINEPREFIX" >&2
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    # The monospaced names get the monospaced IPA font, the proportional ones (the dialog and
    # user-interface fonts among them) the proportional one, which keeps the underscore at 9 points.
    local font=IPAGothic pfont=IPAPGothic name
    for name in 'ＭＳ ゴシック' 'MS Gothic'; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" /t REG_SZ /d "$font" /f >/dev/null 2>&1
    done
    # Arial, which Wine lacks, likewise gets a proportional face rather than a monospaced fallback.
    for name in 'ＭＳ Ｐゴシック' 'MS PGothic' 'MS UI Gothic' 'MS Shell Dlg' 'MS Shell Dlg 2' 'Arial'; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" /t REG_SZ /d "$pfont" /f >/dev/null 2>&1
    done
    for name in 'MS UI Gothic' 'MS Shell Dlg' 'MS Shell Dlg 2'; do
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v "$name" /t REG_SZ /d "$pfont" /f >/dev/null 2>&1
    done
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # Debian installs Wine's fonts where this Wine does not look for them.
    local dir
    for dir in /usr/share/wine/fonts /usr/lib/wine/fonts /opt/wine*/share/wine/fonts; do
      [ -f "$dir/marlett.ttf" ] && cp "$dir"/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" && break
    done
    local metric
    for metric in CaptionFont SmCaptionFont; do
      wine reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v $metric /t REG_BINARY /d "$(tarvo_caption_font)" /f >/dev/null 2>&1
    done
    wineserver -w
    touch "$WINEPREFIX/$tarvo_prefix_stamp"
  fi
}

# One persistent wineserver for the whole run, with Wine's service processes already started
# (they would otherwise hold ctest's pipes open).
tarvo_start_wine() {
  [ -n "${tarvo_loader:-}" ] || tarvo_use_width "$(tarvo_run_width)"
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  tarvo_prepare_prefix
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

tarvo_stop_all() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$tarvo_xvfb_pid" ]; then
    kill "$tarvo_xvfb_pid" 2>/dev/null || true
    wait "$tarvo_xvfb_pid" 2>/dev/null || true
  fi
}
