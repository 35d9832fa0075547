#!/usr/bin/env bash
# Usage: shoot-selector.sh OUTPUT_DIR [LANG[-list]...]
# Screenshots of the settings window, one per language code (default EN RU
# KO), each in a Wine virtual desktop on a private display, cropped to the
# window; "KO-list" shows the Korean window with its language list dropped
# open, to see every language name drawn; "KO-shortcuts" the keyboard
# shortcuts window, "KO-taken" the same with Alt+Shift+. held elsewhere. Needs the mingw build: build/mingw/selector_preview.exe, or the one
# in $VEILUX_BUILD_DIR; the Wine prefix is build/shots/wineprefix, or
# $SHOOT_PREFIX (both for sessions that keep their own build and prefix).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(realpath -m "$1")
shift
languages=("$@")
[ ${#languages[@]} -gt 0 ] || languages=(EN RU KO)
mkdir -p "$out"

if [ "${SHOOT_INSIDE:-0}" != 1 ]; then
  SHOOT_INSIDE=1 exec "$root/tools/wine/wine-session.sh" "${SHOOT_PREFIX:-$root/build/shots/wineprefix}" "$0" "$out" "${languages[@]}"
fi

preview=${VEILUX_BUILD_DIR:-$root/build/mingw}/selector_preview.exe
for shot in "${languages[@]}"; do
  lang=${shot%%-*}
  mode=""
  [ "$lang" = "$shot" ] || mode=${shot#*-}
  wine explorer /desktop=shot,640x400 "$preview" "$lang" $mode >/dev/null 2>&1 &
  sleep 3
  # The 320x215 window (the shortcuts window a little wider) is centred on
  # the 640x400 desktop; a margin around it.
  /usr/bin/import -window root -crop 400x255+120+72 +repage "$out/selector-$shot.png"
  wineserver -k >/dev/null 2>&1 || true
  wait || true
  wineserver -p
  echo "$out/selector-$shot.png"
done
