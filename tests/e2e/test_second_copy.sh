#!/usr/bin/env bash
# A second copy while one runs: it shows the already-running notice and exits
# with 1; the first one keeps running and answers.
source "$(dirname "$0")/common.sh"

fresh_account
start_veilux
first=$VEILUX_PID
wait_main_window || die "no main window after the first start"
wait_ready || die "the first copy does not answer"

start_veilux
second=$VEILUX_PID
# Once in a full run here no notice was there after 10 s while the second copy
# still ran, as a new process's first window once was in the hotkeys test; say which.
if ! drv msgbox Veilux 30000 >"$WORK/notice.txt"; then
  kill -0 "$second" 2>/dev/null && state="still runs" || state="has ended"
  die "no notice with the caption 'Veilux' from the second copy in 30 s (it $state)"
fi
sleep 0.3
screenshot "$WORK/notice.png"
read -r _ nx ny nw nh <<<"$(grep '^rect ' "$WORK/notice.txt")"
crop "$WORK/notice.png" "$SHOTS/already-running.png" "${nw}x${nh}+${nx}+${ny}"
expect "the notice's text" "$(sed -n 's/^text //p' "$WORK/notice.txt")" "Application is already running."
expect "its only button" "$(grep -c '^button ' "$WORK/notice.txt")" 1
# The information icon is blue; the error icon would be red.
icon_colour=$(/usr/bin/convert "$WORK/notice.png" -crop "48x48+$((nx + 8))+$((ny + 20))" +repage \
  -fuzz 25% -fill black +opaque 'rgb(30,80,200)' -format '%[fx:mean>0.01?1:0]' info: 2>/dev/null || echo 0)
red=$(/usr/bin/convert "$WORK/notice.png" -crop "48x48+$((nx + 8))+$((ny + 20))" +repage \
  -fuzz 25% -fill black +opaque 'rgb(220,30,30)' -format '%[fx:mean>0.01?1:0]' info: 2>/dev/null || echo 0)
expect "the notice shows a blue (information) icon, not a red one" "$icon_colour$red" "10"
wait_exit "$second" 1
expect "the second copy is still waiting for the user" "$EXIT_STATUS" running

drv msgbox Veilux 2000 dismiss >/dev/null || fail "could not press OK on the notice"
wait_exit "$second" 10
expect "the second copy's exit code" "$EXIT_STATUS" 1
expect "one main window is left" "$(drv windows Veilux | wc -l)" 1
drv ping Veilux 1000 >/dev/null && echo "ok: the first copy answers" || fail "the first copy does not answer"
drv hotkey hidden
expect "the first copy still toggles" "$(wait_reg "$KEY_EXPLORER" Hidden "REG_DWORD 1")" "REG_DWORD 1"
close_veilux "$first"
expect "the first copy's exit code after WM_CLOSE" "$EXIT_STATUS" 0
finish
