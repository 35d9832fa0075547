#!/usr/bin/env bash
# Starts build/mingw/veilux.exe under Wine in a virtual desktop with a
# taskbar. On your display when there is one; otherwise on a private Xvfb,
# where a screenshot is saved a few seconds after start.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exe=$root/build/mingw/veilux.exe
shot=$root/build/run/screenshot.png

if [ "${1:-}" != --inside ]; then
  mkdir -p "$root/build/run"
  prefix=$root/build/run/wineprefix-xvfb
  if [ -n "${DISPLAY:-}" ]; then
    prefix=$root/build/run/wineprefix-display
    echo "Starting Veilux in a Wine desktop on $DISPLAY."
    echo "Alt+. toggles hidden files, Alt+Shift+. extensions; right-click the icon at the bottom right for the menu."
    echo "To stop it: choose Exit in its menu, or press Ctrl+C here."
    export WINE_SESSION_USE_DISPLAY=1
  fi
  exec "$root/tools/wine/wine-session.sh" "$prefix" "$0" --inside
fi

if [ "${WINE_SESSION_USE_DISPLAY:-0}" = 1 ]; then
  wine explorer /desktop=Veilux,800x600 "$exe"
  exit 0
fi

# No display: run on the private one, take a picture, then stop.
wine explorer /desktop=Veilux,800x600 "$exe" >/dev/null 2>&1 &
sleep 6
/usr/bin/import -window root -crop 800x600+0+0 +repage "$shot"
echo "No display here: Veilux ran on a private X display."
echo "Screenshot: $shot"
echo "Stopping it (the session's Wine server is shut down)."
