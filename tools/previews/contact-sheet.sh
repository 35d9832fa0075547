#!/usr/bin/env bash
# One contact sheet of every screenshot the end-to-end suite took, for a
# person to look at; it fails when one is missing. The suite runs it last.
source "$(dirname "$0")/../../tests/e2e/common.sh"

shots=(tray-icon-hidden tray-icon-visible tooltip start-balloon update-balloon menu-en menu-ru
       settings-en settings-ru settings-zh settings-ko already-running shortcuts-100
       tray-icon-150 menu-150 settings-150 shortcuts-150)
files=()
for shot in "${shots[@]}"; do
  if [ -f "$SHOTS/$shot.png" ]; then files+=("$SHOTS/$shot.png"); else fail "screenshot $shot.png is missing"; fi
done
if [ ${#files[@]} -gt 0 ]; then
  /usr/bin/montage -label '%t' -pointsize 12 -background '#e8e8e8' -geometry '340x250>+6+6' -tile 4x \
    "${files[@]}" "$E2E_BIN/contact-sheet.png" || fail "montage failed"
  [ -f "$E2E_BIN/contact-sheet.png" ] && note "contact sheet: $E2E_BIN/contact-sheet.png"
fi
finish
