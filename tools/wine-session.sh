#!/usr/bin/env bash
# Usage: wine-session.sh PREFIX_DIR COMMAND...
# Runs COMMAND with a private Wine prefix (made once) and a private Xvfb
# display, with a persistent wineserver so that each Windows program starts
# fast. Stops the server and the display on every exit path.
set -euo pipefail
prefix=$(realpath -m "$1")
shift
here=$(cd "$(dirname "$0")" && pwd)

export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# WINE_SESSION_USE_DISPLAY=1 keeps the caller's $DISPLAY (for a person to
# watch); otherwise the session gets its own Xvfb.
source "$here/private-display.sh"
xvfb_pid=""
if [ "${WINE_SESSION_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
  : # the caller's display
else
  start_private_display 91 160 1024x768
fi

cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  stop_private_display
}
trap cleanup EXIT

# First use of a new prefix must not race with programs started in parallel.
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  bash "$here/prepare-prefix.sh" >/dev/null 2>&1
  # Unwatched prefixes run every program in a virtual desktop, as on
  # Windows: a top-level window is then no X window, and showing one does not
  # wait on the X server (about 2 s a window on a bare Xvfb). A watched one
  # leaves the person's display to the programs' own desktops.
  if [ -n "$xvfb_pid" ]; then
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
  fi
  wineserver -w
fi
wineserver -p
# Start Wine's background processes (services, the desktop) now, detached
# from our output: started by the first test instead, they would inherit its
# pipes and keep ctest waiting after the test has ended.
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
"$@"
