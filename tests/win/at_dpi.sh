#!/usr/bin/env bash
# Usage: at_dpi.sh DPI PROGRAM.exe [ARGUMENTS...]
# Runs a Windows test program with the test prefix at another display scale:
# Wine gives every process started while HKCU\Control Panel\Desktop
# "LogPixels" holds DPI that DPI (SM_CXSMICON 24 at 144). The value the
# prefix had is put back afterwards, on every exit path. Runs inside
# tools/wine/wine-session.sh; only ever in a test prefix.
set -uo pipefail
: "${WINEPREFIX:?run inside tools/wine/wine-session.sh}"
[ $# -ge 2 ] || { echo "usage: at_dpi.sh DPI PROGRAM.exe [ARGUMENTS...]" >&2; exit 2; }
dpi=$1
shift
key='HKCU\Control Panel\Desktop'
reg() { WINEDEBUG=-all wine reg "$@" 2>/dev/null | tr -d '\r'; }

before=$(reg query "$key" /v LogPixels | awk '$1 == "LogPixels" { print $3 }')
restore() {
  if [ -n "$before" ]; then reg add "$key" /v LogPixels /t REG_DWORD /d "$((before))" /f >/dev/null
  else reg delete "$key" /v LogPixels /f >/dev/null; fi
}
trap restore EXIT
reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null || { echo "could not set LogPixels"; exit 1; }
wine "$@"
