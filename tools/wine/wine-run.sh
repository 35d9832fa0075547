#!/usr/bin/env bash
# Runs one Windows program under Wine in the private prefix that
# tools/wine/wine-session.sh prepared (it exports WINEPREFIX and DISPLAY).
set -euo pipefail
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "wine-run.sh: run the Windows tests through tools/wine/wine-session.sh (make test does)" >&2
  exit 2
fi
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
