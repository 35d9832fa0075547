#!/usr/bin/env bash
# The keyboard-shortcuts window from outside, and the key names in a German menu.
source "$(dirname "$0")/common.sh"

fresh_account
start_veilux
wait_main_window && wait_ready || die "the program does not answer"
open_shortcuts() { drv post Veilux $WM_COMMAND 1007 0 && drv find VeiluxShortcutsWindow - 5000 >/dev/null || die "no shortcuts window"; }

echo "-- another program holds Ctrl+Alt+X; field 1 asks for it, field 2 for Alt+."
drv hold 0x3 0x58 30000 >/dev/null &
sleep 2
open_shortcuts
drv shortcuts put 1 0x0658 && drv shortcuts put 2 0x04BE && drv shortcuts ok
expect "the note under field 1" "$(drv shortcuts status 1)" "In use by another program"
drv shortcuts cancel
expect "nothing stored" "$(reg_get "$KEY_PROGRAM" HotkeyHidden) $(reg_get "$KEY_PROGRAM" HotkeyExtensions)" "absent absent"
drv hotkey hidden
expect "Alt+. still shows hidden files" "$(wait_reg "$KEY_EXPLORER" Hidden "REG_DWORD 1")" "REG_DWORD 1"
expect "and leaves extensions alone" "$(reg_get "$KEY_EXPLORER" HideFileExt)" "REG_DWORD 1"
drv hotkey extensions
expect "Alt+Shift+. still switches extensions" "$(wait_reg "$KEY_EXPLORER" HideFileExt "REG_DWORD 0")" "REG_DWORD 0"

echo "-- a key alone is shown as typed and refused; the same keys in both fields"
open_shortcuts
drv shortcuts keys a || fail "could not type into the window"
expect "field 1 after A" "$(drv shortcuts get 1)" "0x0041"
drv shortcuts ok
expect "the note under field 1" "$(drv shortcuts status 1)" "Add Ctrl or Alt"
drv shortcuts put 1 0x0648 && drv shortcuts put 2 0x0648 && drv shortcuts ok
expect "the note under field 2" "$(drv shortcuts status 2)" "Used by the other shortcut"
drv shortcuts cancel
close_veilux

echo "-- the menu in German names the keys in German"
fresh_account
reg_set "$KEY_PROGRAM" Lang sz DE
start_veilux
wait_main_window && tray_point && wait_ready || die "the program does not answer in German"
open_menu && wait_menu_built 1 || die "no German menu in Wine's trace"
expect "the extensions item" "$(menu_items | grep "^1004 ")" "1004 0 0 Dateierweiterungen anzeigen${TAB}Alt+Umschalt+."
close_menu
close_veilux
expect "exit code after WM_CLOSE" "$EXIT_STATUS" 0
finish
