#!/usr/bin/env bash
# The settings window in English, Russian, Chinese and Korean, for a person
# to look at; its caption in each. Runs first: after programs have run with
# other locales, Wine draws Chinese and Korean captions as boxes.
source "$(dirname "$0")/common.sh"

fresh_account
start_veilux
wait_main_window || die "no main window after start"
wait_ready || die "the program does not answer"

# The window applies the stored language each time it opens, so a code
# stored from outside shows at the next opening.
for entry in "EN|Settings - Veilux 1.0" "RU|Настройки - Veilux 1.0" "ZH|设置 - Veilux 1.0" "KO|설정 - Veilux 1.0"; do
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
close_veilux
expect "exit code after WM_CLOSE" "$EXIT_STATUS" 0

finish
