#!/usr/bin/env bash
# Usage: wine-session.sh [--fresh] [--screen WIDTHxHEIGHT] [--stage FILE] PREFIX_DIR COMMAND...
# Runs COMMAND with a private Wine prefix and a private Xvfb display, with a
# persistent wineserver so that each Windows program starts fast. Stops the
# server and the display on every exit path. Every Wine run of the build,
# the tests and the bench goes through here.
#   --fresh   make the prefix anew for this run (else it is made once and kept)
#   --screen  size of the display and of the prefix's virtual desktop (1024x768)
#   --stage   a bash file sourced once the prefix is ready, before the server
#             starts for COMMAND: it sets the prefix up further and may export
#             variables for COMMAND; a function stage_started it defines runs
#             once the server is up (tests/e2e/stage.sh is the end-to-end one)
set -Eeuo pipefail
# A step that fails ends the session; it says which, also from inside the
# stage file and its functions (-E), since most steps' own output is dropped.
trap 'echo "wine-session: ${BASH_SOURCE[0]##*/} line $LINENO: \"$BASH_COMMAND\" failed with status $?" >&2' ERR
# once_more COMMAND...: a Wine step on a prefix that is still settling may
# fail once; it is said (on the session's own stderr, kept as fd 9, since the
# step's output is dropped) and run again a second later.
exec 9>&2
once_more() {
  "$@" && return 0
  echo "wine-session: \"$*\" failed once; trying again" >&9
  sleep 1
  "$@"
}
fresh=0
screen=1024x768
stage=""
while [ $# -gt 0 ]; do
  case "$1" in
  --fresh) fresh=1 ;;
  --screen) screen=$2; shift ;;
  --stage) stage=$(realpath "$2"); shift ;;
  *) break ;;
  esac
  shift
done
[ $# -ge 2 ] || { echo "usage: wine-session.sh [--fresh] [--screen WxH] [--stage FILE] PREFIX_DIR COMMAND..." >&2; exit 2; }
prefix=$(realpath -m "$1")
shift
here=$(cd "$(dirname "$0")" && pwd)

export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# WINE_SESSION_USE_DISPLAY=1 keeps the caller's $DISPLAY (for a person to
# watch); otherwise the session gets its own Xvfb, the first free one of
# :91 to :240, so that several sessions can run side by side.
source "$here/private-display.sh"
xvfb_pid=""
if [ "${WINE_SESSION_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
  : # the caller's display
else
  start_private_display 91 240 "$screen"
fi

cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  stop_private_display
}
trap cleanup EXIT

if [ "$fresh" = 1 ]; then
  echo "wine-session: making a fresh Wine prefix"
  rm -rf "$prefix"
fi
# First use of a new prefix must not race with programs started in parallel.
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  once_more bash "$here/prepare-prefix.sh" >/dev/null 2>&1
  # Unwatched prefixes run every program in a virtual desktop, as on
  # Windows: a top-level window is then no X window, and showing one does not
  # wait on the X server (about 2 s a window on a bare Xvfb). A watched one
  # leaves the person's display to the programs' own desktops.
  if [ -n "$xvfb_pid" ]; then
    once_more wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d "$screen" /f >/dev/null 2>&1
    once_more wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
  fi
  wineserver -w
fi
if [ -n "$stage" ]; then
  source "$stage"
  # Let the server end by itself, which saves the registry; the desktop the
  # stage may have started was an ordinary one, the next one is virtual.
  wineserver -w
fi
wineserver -p
# Start Wine's background processes (services, the desktop) now, detached
# from our output: started by the first test instead, they would inherit its
# pipes and keep ctest waiting after the test has ended.
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
# Windows never takes a leading dot in a name to mean hidden; Wine does
# unless told otherwise, and each program reads this as it starts.
wine reg add 'HKCU\Software\Wine' /v ShowDotFiles /t REG_SZ /d Y /f </dev/null >/dev/null 2>&1 || true
if declare -F stage_started >/dev/null; then stage_started; fi
"$@"
