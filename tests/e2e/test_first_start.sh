#!/usr/bin/env bash
# First start on a fresh account: the language is chosen from the user's
# interface language and stored, the start balloon and the icon appear.
source "$(dirname "$0")/common.sh"

mouse_away
# locale (empty: none set), stored code, start balloon in that language
cases=(
  "|EN|Veilux has started and is running in the system tray."
  "es_MX.UTF-8|ES|Veilux se ha iniciado y está funcionando en la bandeja del sistema."
  "pt_BR.UTF-8|PT|Veilux foi iniciado e está funcionando na bandeja do sistema."
  "de_DE.UTF-8|EN|Veilux has started and is running in the system tray."
)
for entry in "${cases[@]}"; do
  IFS='|' read -r locale code balloon <<<"$entry"
  echo "-- first start with locale '${locale:-none}'"
  fresh_account
  if [ -n "$locale" ]; then start_veilux LC_ALL="$locale"; else start_veilux; fi
  wait_main_window || die "no main window after start"
  tray_point
  expect "Lang after the first start" "$(wait_reg "$KEY_PROGRAM" Lang "$(sz "$code")")" "$(sz "$code")"
  if wait_tooltip "$balloon" 10; then
    echo "ok: start balloon: $balloon"
  else
    fail "no start balloon '$balloon'; shown: $(tooltip_texts | tr '\n' '|')"
  fi
  screenshot "$WORK/started.png"
  if icon_shown "$WORK/started.png"; then
    echo "ok: the icon is in the notification area"
  else
    fail "the notification area shows no icon"
  fi
  if [ -z "$locale" ]; then
    read -r bx by _ <<<"$(tooltip_rect "$balloon")"
    [ -n "${by:-}" ] && crop "$WORK/started.png" "$SHOTS/start-balloon.png" "$(to_corner $((bx - 10)) $((by - 10)))"
  fi
  close_veilux
  expect "exit code after WM_CLOSE" "$EXIT_STATUS" 0
done
finish
