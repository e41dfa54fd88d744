# Sourced by the run and test commands: a display, a Wine prefix and one wineserver.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
export WINEPREFIX=$root/build/wine
export WINEARCH=win32
export WINEDEBUG=-all
# No debugger on a crash: the test program ends at once with a failure instead of waiting.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=;winedbg.exe=d"
export LANG=ja_JP.UTF-8
export TZ=JST-9
export XDG_RUNTIME_DIR=$root/build/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

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

# Creates the prefix once: Japanese fonts for the names the viewer asks for, no window manager
# decorations (a managed window costs seconds under Xvfb).
tarvo_prepare_prefix() {
  if [ ! -f "$WINEPREFIX/.tarvo-ready" ]; then
    echo "wine: creating the prefix in $WINEPREFIX" >&2
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    local font=IPAGothic pfont=IPAPGothic name
    for name in 'ＭＳ ゴシック' 'MS Gothic' 'MS UI Gothic' 'MS Shell Dlg' 'MS Shell Dlg 2'; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" /t REG_SZ /d "$font" /f >/dev/null 2>&1
    done
    for name in 'ＭＳ Ｐゴシック' 'MS PGothic'; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" /t REG_SZ /d "$pfont" /f >/dev/null 2>&1
    done
    for name in 'MS UI Gothic' 'MS Shell Dlg' 'MS Shell Dlg 2'; do
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v "$name" /t REG_SZ /d "$font" /f >/dev/null 2>&1
    done
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.tarvo-ready"
  fi
}

# One persistent wineserver for the whole run, with Wine's service processes already started
# (they would otherwise hold ctest's pipes open).
tarvo_start_wine() {
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
