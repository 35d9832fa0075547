#!/usr/bin/env bash
# Alt+full stop shows and hides hidden files (with protected system files,
# the default), and the icon's picture and tooltip follow; Alt+Shift+full
# stop changes only the file-name extensions.
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

close_veilux
expect "exit code after WM_CLOSE" "$EXIT_STATUS" 0
finish
