# Sourced by the run and test commands: a virtual X display and one
# persistent wineserver for a Wine prefix, both stopped by wine_session_end
# (which the callers trap on EXIT, so a failing test stops them too).
#   wine_session_begin PREFIX [virtual|user-display]

WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
# Wide enough for the progress bar benchmark's 2000-pixel bar.
SCREEN_SIZE=2100x1000
xvfb_pid=""

wine_session_begin() {
  export WINEPREFIX=$1
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "${2:-virtual}" = virtual ]; then
    local display=99
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
    Xvfb ":$display" -screen 0 "${SCREEN_SIZE}x24" -nolisten tcp </dev/null >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$display"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  fi
  mkdir -p "$WINEPREFIX"
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing the Wine prefix $WINEPREFIX (once)..."
  fi
  "$WINE64" wineboot -i </dev/null >/dev/null 2>&1
  # A crashing program ends at once with a backtrace on standard error,
  # instead of waiting behind Wine's crash dialog until a timeout.
  if ! grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
  fi
  [ "${2:-virtual}" = virtual ] || return 0
  # Windows live on one virtual desktop that Wine draws itself, frames and
  # captions included. Without a window manager, Wine would otherwise wait
  # two seconds for each top-level window it hides. The desktop is chosen
  # when Wine starts, so a new setting restarts the session's wineserver.
  if ! grep -q "\"Default\"=\"$SCREEN_SIZE\"" "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$WINE64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
    "$WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$SCREEN_SIZE" /f </dev/null >/dev/null 2>&1
    "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
    "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
    "$WINESERVER" -p </dev/null >/dev/null 2>&1
    "$WINE64" wineboot </dev/null >/dev/null 2>&1
  fi
}

wine_session_end() {
  if [ -n "${WINEPREFIX:-}" ]; then "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
