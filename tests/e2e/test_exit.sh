#!/usr/bin/env bash
# Exit from the menu, and WM_CLOSE to the hidden window: exit code 0, the
# icon gone, and a new copy starts at once.
source "$(dirname "$0")/common.sh"

fresh_account
mouse_away

# wait_icon_gone: until the icon's place looks like the empty area beside it.
wait_icon_gone() {
  local tenths=50
  while [ "$tenths" -gt 0 ]; do
    screenshot "$WORK/after.png"
    icon_shown "$WORK/after.png" || return 0
    sleep 0.2
    tenths=$((tenths - 2))
  done
  return 1
}

# new_copy_starts: the new copy starts without the already-running notice.
new_copy_starts() {
  start_veilux
  wait_main_window || { fail "a new copy did not start"; return; }
  if drv msgbox Veilux 1500 >/dev/null; then
    fail "the new copy says it is already running"
    drv msgbox Veilux 1000 dismiss >/dev/null || true
  else
    echo "ok: a new copy starts at once"
  fi
  wait_ready || fail "the new copy does not answer"
}

echo "-- Exit from the menu"
start_veilux
wait_main_window || die "no main window after start"
wait_ready || die "the program does not answer"
tray_point
screenshot "$WORK/running.png"
icon_shown "$WORK/running.png" || die "no icon to begin with"
open_menu || die "no menu"
choose_item 8
wait_exit "$VEILUX_PID" 10
expect "exit code after Exit" "$EXIT_STATUS" 0
wait_icon_gone && echo "ok: the icon is gone" || fail "the icon is still in the notification area"
expect "main windows left" "$(drv windows Veilux | wc -l)" 0

echo "-- WM_CLOSE to the hidden window"
new_copy_starts
close_veilux
expect "exit code after WM_CLOSE" "$EXIT_STATUS" 0
wait_icon_gone && echo "ok: the icon is gone" || fail "the icon is still in the notification area"

echo "-- Exit reaching the window while the menu is open"
new_copy_starts
open_menu || die "no menu"
drv post Veilux $WM_COMMAND $IDM_EXIT 0 || fail "could not post Exit"
wait_exit "$VEILUX_PID" 10
expect "exit code after Exit with the menu open" "$EXIT_STATUS" 0
new_copy_starts
close_veilux
expect "exit code of the last copy" "$EXIT_STATUS" 0
finish
