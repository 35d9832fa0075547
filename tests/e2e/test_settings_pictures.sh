#!/usr/bin/env bash
# The settings window in English, Russian, Chinese and Korean, for a person
# to look at; its caption in each. Runs first: after programs have run with
# other locales, Wine draws Chinese and Korean captions as boxes. Then the
# tray, the menu and both windows at 150 %, each window 1.5 times its size
# at 100 %.
source "$(dirname "$0")/common.sh"

fresh_account
start_veilux
wait_main_window || die "no main window after start"
wait_ready || die "the program does not answer"

# The window applies the stored language each time it opens, so a code
# stored from outside shows at the next opening.
for entry in "RU|Настройки - Veilux 1.0" "ZH|设置 - Veilux 1.0" "KO|설정 - Veilux 1.0" "EN|Settings - Veilux 1.0"; do
  IFS='|' read -r code caption <<<"$entry"
  reg_set "$KEY_PROGRAM" Lang sz "$code"
  drv post Veilux $WM_COMMAND $IDM_SETTINGS 0
  drv find IdiomaSelectorWindow - 5000 >/dev/null || die "no settings window for $code"
  sleep 0.8
  drv selector read >"$WORK/selector-$code.txt"
  expect "caption in $code" "$(sed -n 's/^caption //p' "$WORK/selector-$code.txt")" "$caption"
  expect "focus on the list in $code" "$(sed -n 's/^focus //p' "$WORK/selector-$code.txt")" 1001
  read -r _ sx sy sw sh <<<"$(grep '^rect ' "$WORK/selector-$code.txt")"
  screenshot "$WORK/selector-$code.png"
  lower=$(echo "$code" | tr 'A-Z' 'a-z')
  crop "$WORK/selector-$code.png" "$SHOTS/settings-$lower.png" "$((sw + 20))x$((sh + 20))+$((sx - 10))+$((sy - 10))"
  drv selector cancel
  drv gone IdiomaSelectorWindow 5000 || die "Cancel did not close the window"
done

# The shortcuts window's outer size at 100 %, for the comparison at 150 %:
# in English, the language the settings window applied last.
open_shortcuts() {
  drv post Veilux $WM_COMMAND 1007 0 && drv find VeiluxShortcutsWindow - 5000 >/dev/null || die "no shortcuts window"
  sleep 0.8
  read -r _ _ _ kx ky kw kh <<<"$(drv windows VeiluxShortcutsWindow | cut -f1)"
  screenshot "$WORK/shortcuts-$1.png"
  crop "$WORK/shortcuts-$1.png" "$SHOTS/shortcuts-$1.png" "$((kw + 20))x$((kh + 20))+$((kx - 10))+$((ky - 10))"
  drv shortcuts cancel
  drv gone VeiluxShortcutsWindow 5000 || die "Cancel did not close the shortcuts window"
}
open_shortcuts 100
shortcuts_96="$kw $kh"
close_veilux
expect "exit code after WM_CLOSE" "$EXIT_STATUS" 0

echo "-- at 150 %: the prefix at 144 DPI, which Wine gives every program started after it"
desktop='Control Panel\Desktop'
normal_scale() { drv reg delete "$desktop" LogPixels >/dev/null 2>&1 || true; }
trap 'normal_scale; cleanup' EXIT
reg_set "$desktop" LogPixels dword 144
start_veilux
wait_main_window && tray_point && wait_ready || die "the program does not answer at 144 DPI"
let_start_balloon_pass
mouse_away
screenshot "$WORK/tray-150.png"
# The icon is 24 px here: a larger cell than at 100 %.
crop "$WORK/tray-150.png" "$SHOTS/tray-icon-150.png" "64x36+$((TRAY_X - 32))+$((TRAY_Y - 18))" 400%
open_menu || die "no menu at 144 DPI"
sleep 0.3
screenshot "$WORK/menu-150.png"
read -r _ mx my _ <"$WORK/menu-window.txt"
crop "$WORK/menu-150.png" "$SHOTS/menu-150.png" "$(to_corner $((mx - 10)) $((my - 10)))"
close_menu
xdotool mousemove 200 200 click 1  # a menu under Wine closes on a click elsewhere, not on Escape
sleep 0.3

# within A B TOLERANCE: A differs from B by at most TOLERANCE.
within() { [ "$1" -ge $(($2 - $3)) ] && [ "$1" -le $(($2 + $3)) ]; }
drv post Veilux $WM_COMMAND $IDM_SETTINGS 0
drv find IdiomaSelectorWindow - 5000 >/dev/null || die "no settings window at 144 DPI"
sleep 0.8
drv selector read >"$WORK/selector-150.txt"
read -r _ sx sy sw sh <<<"$(grep '^rect ' "$WORK/selector-150.txt")"
within "$sw" 480 2 && within "$sh" 322 2 || fail "settings window at 144 DPI: ${sw}x${sh}, expected 480x322 within 2 px"
note "settings window at 144 DPI: ${sw}x${sh}"
screenshot "$WORK/settings-150.png"
crop "$WORK/settings-150.png" "$SHOTS/settings-150.png" "$((sw + 20))x$((sh + 20))+$((sx - 10))+$((sy - 10))"
drv selector cancel
drv gone IdiomaSelectorWindow 5000 || die "Cancel did not close the window"

open_shortcuts 150
read -r w96 h96 <<<"$shortcuts_96"
within "$kw" $((w96 * 3 / 2)) 4 && within "$kh" $((h96 * 3 / 2)) 4 ||
  fail "shortcuts window at 144 DPI: ${kw}x${kh}, expected 1.5 x ${w96}x${h96} within 4 px"
note "shortcuts window: ${w96}x${h96} at 96 DPI, ${kw}x${kh} at 144 DPI"
close_veilux
expect "exit code after WM_CLOSE at 144 DPI" "$EXIT_STATUS" 0
normal_scale

finish
