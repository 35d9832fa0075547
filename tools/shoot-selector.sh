#!/usr/bin/env bash
# Usage: shoot-selector.sh OUTPUT_DIR [LANG...]
# Screenshots of the settings window, one per language code (default EN RU
# KO), each in a Wine virtual desktop on a private display, cropped to the
# window. Needs the mingw build (build/mingw/selector_preview.exe).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "$1")
shift
languages=("$@")
[ ${#languages[@]} -gt 0 ] || languages=(EN RU KO)
mkdir -p "$out"

if [ "${SHOOT_INSIDE:-0}" != 1 ]; then
  SHOOT_INSIDE=1 exec "$root/tools/wine-session.sh" "$root/build/shots/wineprefix" "$0" "$out" "${languages[@]}"
fi

preview=$root/build/mingw/selector_preview.exe
for lang in "${languages[@]}"; do
  wine explorer /desktop=shot,640x400 "$preview" "$lang" >/dev/null 2>&1 &
  sleep 3
  # The 320x215 window is centred on the 640x400 desktop; a margin around it.
  /usr/bin/import -window root -crop 360x255+140+72 +repage "$out/selector-$lang.png"
  wineserver -k >/dev/null 2>&1 || true
  wait || true
  wineserver -p
  echo "$out/selector-$lang.png"
done
