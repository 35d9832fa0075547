#!/usr/bin/env bash
# Alt+full stop shows and hides hidden files (with protected system files,
# the default), and the icon's picture and tooltip follow; Alt+Shift+full
# stop changes only the file-name extensions; a stored Ctrl+Alt+H takes Alt+.'s place. An open folder window is told
# to refresh after each change the program makes. Changes made elsewhere,
# announced or not, show on the icon, and the next press flips them.
source "$(dirname "$0")/common.sh"

fresh_account
start_veilux
wait_main_window || die "no main window after start"
tray_point
wait_ready || die "the program does not answer after start"
let_start_balloon_pass

mouse_away
screenshot "$WORK/hidden.png"
save_icon_picture "$WORK/hidden.png" "$SHOTS/tray-icon-hidden.png"
picture_hidden=$(pixels "$WORK/hidden.png" "$(icon_cell)")
expect "tooltip while hidden files are hidden" "$(hover_tooltip "Hidden files: HIDDEN")" "Hidden files: HIDDEN"
mouse_away

echo "-- Alt+. : show hidden and protected system files"
drv hotkey hidden
expect "Hidden" "$(wait_reg "$KEY_EXPLORER" Hidden "REG_DWORD 1")" "REG_DWORD 1"
expect "ShowSuperHidden" "$(reg_get "$KEY_EXPLORER" ShowSuperHidden)" "REG_DWORD 1"
expect "HideFileExt untouched" "$(reg_get "$KEY_EXPLORER" HideFileExt)" "REG_DWORD 1"
expect "IncludeExtensions untouched" "$(reg_get "$KEY_PROGRAM" IncludeExtensions)" "absent"
sleep 0.5
screenshot "$WORK/visible.png"
save_icon_picture "$WORK/visible.png" "$SHOTS/tray-icon-visible.png"
picture_visible=$(pixels "$WORK/visible.png" "$(icon_cell)")
if [ "$picture_visible" != "$picture_hidden" ]; then echo "ok: the icon's picture changed"; else fail "the icon's picture did not change"; fi
tip=$(hover_tooltip "Hidden and system files: VISIBLE")
expect "tooltip while hidden and system files are visible" "$tip" "Hidden and system files: VISIBLE"
screenshot "$WORK/tooltip.png"
read -r tx ty _ <<<"$(tooltip_rect "Hidden and system files: VISIBLE")"
[ -n "${ty:-}" ] && crop "$WORK/tooltip.png" "$SHOTS/tooltip.png" "$(to_corner $((tx - 10)) $((ty - 10)))"
mouse_away

echo "-- Alt+. again: hide them"
drv hotkey hidden
expect "Hidden" "$(wait_reg "$KEY_EXPLORER" Hidden "REG_DWORD 2")" "REG_DWORD 2"
expect "ShowSuperHidden still follows the include option (on)" "$(reg_get "$KEY_EXPLORER" ShowSuperHidden)" "REG_DWORD 1"
sleep 0.5
screenshot "$WORK/hidden-again.png"
expect "the icon's picture is back" "$(pixels "$WORK/hidden-again.png" "$(icon_cell)")" "$picture_hidden"

echo "-- Alt+Shift+. twice: extensions shown, then hidden; nothing else changes"
drv hotkey extensions
expect "HideFileExt" "$(wait_reg "$KEY_EXPLORER" HideFileExt "REG_DWORD 0")" "REG_DWORD 0"
expect "IncludeExtensions" "$(reg_get "$KEY_PROGRAM" IncludeExtensions)" "REG_DWORD 1"
drv hotkey extensions
expect "HideFileExt" "$(wait_reg "$KEY_EXPLORER" HideFileExt "REG_DWORD 1")" "REG_DWORD 1"
expect "IncludeExtensions" "$(reg_get "$KEY_PROGRAM" IncludeExtensions)" "REG_DWORD 0"
expect "Hidden untouched by the extension key" "$(reg_get "$KEY_EXPLORER" Hidden)" "REG_DWORD 2"
expect "ShowSuperHidden untouched by the extension key" "$(reg_get "$KEY_EXPLORER" ShowSuperHidden)" "REG_DWORD 1"
expect "IncludeSystemFiles is not written by the keys" "$(reg_get "$KEY_PROGRAM" IncludeSystemFiles)" "absent"
sleep 0.5
screenshot "$WORK/after-extensions.png"
expect "the extension key leaves the picture" "$(pixels "$WORK/after-extensions.png" "$(icon_cell)")" "$picture_hidden"

echo "-- an open folder window is told to refresh after each kind of change"
COMMANDS=$WORK/folder-commands.txt
commands_w=$(winepath -w "$COMMANDS" 2>/dev/null) || die "winepath found no Windows path for $COMMANDS"
WINEDEBUG=-all wine "$DRIVER" folder-window "$commands_w" 120 >/dev/null 2>&1 &
folder_pid=$!
# Once in a full run here the window was not there after 10 s; say whether its process still ran.
if ! drv find CabinetWClass - 30000 >/dev/null; then
  kill -0 "$folder_pid" 2>/dev/null && state="still runs" || { wait "$folder_pid"; state="ended with $?"; }
  die "the stand-in folder window did not open in 30 s (its process $state)"
fi
refreshes() { grep -c '^41504$' "$COMMANDS" 2>/dev/null || true; }
# wait_refreshes COUNT: until the folder window has had COUNT refresh commands; prints how many it had.
wait_refreshes() { wait_output 5 "$1" refreshes; }
drv hotkey hidden
expect "refreshes after showing hidden files" "$(wait_refreshes 1)" 1
drv hotkey extensions
expect "refreshes after showing extensions" "$(wait_refreshes 2)" 2
drv post Veilux $WM_COMMAND 1003 0  # Include protected system files, from the menu
expect "ShowSuperHidden after leaving out system files" "$(wait_reg "$KEY_EXPLORER" ShowSuperHidden "REG_DWORD 0")" "REG_DWORD 0"
expect "refreshes after the protected-files switch" "$(wait_refreshes 3)" 3
drv post Veilux $WM_COMMAND 1003 0
drv hotkey hidden
drv hotkey extensions
expect "HideFileExt back" "$(wait_reg "$KEY_EXPLORER" HideFileExt "REG_DWORD 1")" "REG_DWORD 1"
expect "Hidden back" "$(reg_get "$KEY_EXPLORER" Hidden)" "REG_DWORD 2"
expect "refreshes after three more changes" "$(wait_refreshes 6)" 6
expect "commands other than refresh" "$(grep -vc '^41504$' "$COMMANDS" || true)" 0

echo "-- hidden files shown elsewhere and announced, as Explorer does"
reg_set "$KEY_EXPLORER" Hidden dword 1
drv broadcast ShellState || fail "the ShellState announcement could not be sent"
sleep 1
expect "no refresh sent for a change made elsewhere" "$(refreshes)" 6
screenshot "$WORK/shown-elsewhere.png"
save_icon_picture "$WORK/shown-elsewhere.png" "$SHOTS/tray-icon-shown-elsewhere.png"
expect "the icon shows the change made elsewhere" "$(pixels "$WORK/shown-elsewhere.png" "$(icon_cell)")" "$picture_visible"
expect "tooltip after the change made elsewhere" "$(hover_tooltip "Hidden and system files: VISIBLE")" \
  "Hidden and system files: VISIBLE"
mouse_away
drv hotkey hidden
expect "one press hides them" "$(wait_reg "$KEY_EXPLORER" Hidden "REG_DWORD 2")" "REG_DWORD 2"
sleep 0.5
screenshot "$WORK/hidden-by-press.png"
expect "the icon after that press" "$(pixels "$WORK/hidden-by-press.png" "$(icon_cell)")" "$picture_hidden"

echo "-- hidden files shown silently (regedit, a script)"
reg_set "$KEY_EXPLORER" Hidden dword 1
sleep 1
screenshot "$WORK/shown-silently.png"
expect "the icon shows the silent change" "$(pixels "$WORK/shown-silently.png" "$(icon_cell)")" "$picture_visible"
drv hotkey hidden
expect "one press hides them" "$(wait_reg "$KEY_EXPLORER" Hidden "REG_DWORD 2")" "REG_DWORD 2"
sleep 0.5
screenshot "$WORK/hidden-by-press-2.png"
expect "the icon after that press" "$(pixels "$WORK/hidden-by-press-2.png" "$(icon_cell)")" "$picture_hidden"

echo "-- extensions shown elsewhere"
reg_set "$KEY_EXPLORER" HideFileExt dword 0
sleep 0.5
drv hotkey extensions
expect "one press hides them" "$(wait_reg "$KEY_EXPLORER" HideFileExt "REG_DWORD 1")" "REG_DWORD 1"
expect "IncludeExtensions" "$(reg_get "$KEY_PROGRAM" IncludeExtensions)" "REG_DWORD 0"
expect "one refresh a press, none for the changes made elsewhere" "$(wait_refreshes 9)" 9
drv post CabinetWClass $WM_CLOSE 0 0
wait_exit "$folder_pid" 5
[ "$EXIT_STATUS" = running ] && kill "$folder_pid"

close_veilux
expect "exit code after WM_CLOSE" "$EXIT_STATUS" 0

echo "-- a stored Ctrl+Alt+H toggles hidden files, and Alt+. no longer does"
reg_set "$KEY_PROGRAM" HotkeyHidden dword 0x0648
start_veilux
wait_main_window || die "no main window after the second start"
wait_ready || die "the program does not answer after the second start"
drv keys ctrl+alt+h
expect "Hidden after Ctrl+Alt+H" "$(wait_reg "$KEY_EXPLORER" Hidden "REG_DWORD 1")" "REG_DWORD 1"
drv hotkey hidden
sleep 1
expect "Alt+. changes nothing" "$(reg_get "$KEY_EXPLORER" Hidden)" "REG_DWORD 1"
close_veilux
expect "exit code after WM_CLOSE" "$EXIT_STATUS" 0
finish
