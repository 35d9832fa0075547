#!/usr/bin/env bash
# Usage: contact-sheet.sh SCREENSHOT_DIR OUTPUT.png
# One contact sheet of every screenshot the end-to-end suite takes, for a
# person to look at. Fails, naming it, when one of them is missing, so that
# a suite that stopped taking a picture does not go unnoticed (make test runs
# it as the last end-to-end step, e2e_contact_sheet).
set -uo pipefail
shots_dir=$1
output=$2
shots=(tray-icon-hidden tray-icon-visible tooltip start-balloon update-balloon menu-en menu-ru
       settings-en settings-ru settings-zh settings-ko already-running)
files=()
missing=0
for shot in "${shots[@]}"; do
  if [ -f "$shots_dir/$shot.png" ]; then
    files+=("$shots_dir/$shot.png")
  else
    echo "FAIL: screenshot $shot.png is missing"
    missing=$((missing + 1))
  fi
done
rm -f "$output"
if [ ${#files[@]} -gt 0 ]; then
  /usr/bin/montage -label '%t' -pointsize 12 -background '#e8e8e8' -geometry '340x250>+6+6' -tile 4x \
    "${files[@]}" "$output" || { echo "FAIL: montage failed"; exit 1; }
  echo "contact sheet: $output"
fi
[ "$missing" -eq 0 ]
