#!/usr/bin/env bash
# The keyboard-shortcuts window from outside: an OK that cannot have every
# key changes nothing (each old key works on its own switch, nothing is
# stored); a key without Ctrl or Alt is shown as typed and refused; the same
# keys in both fields, Enter and the number pad's Enter among them, are the
# program's own clash; the menu names the keys in its own language.
source "$(dirname "$0")/common.sh"

IDM_SHORTCUTS=1007
open_shortcuts() {
  drv post Veilux $WM_COMMAND $IDM_SHORTCUTS 0 || fail "could not open the shortcuts window"
  drv find VeiluxShortcutsWindow - 5000 >/dev/null || die "no shortcuts window"
}

fresh_account
start_veilux
wait_main_window || die "no main window after start"
wait_ready || die "the program does not answer"

echo "-- another program holds Ctrl+Alt+X; field 1 asks for it, field 2 for Alt+."
drv hold 0x3 0x58 30000 >/dev/null &
sleep 2
open_shortcuts
drv shortcuts put 1 0x0658
drv shortcuts put 2 0x04BE
drv shortcuts ok
expect "the note under field 1" "$(drv shortcuts status 1)" "In use by another program"
drv shortcuts cancel
expect "HotkeyHidden after a refused OK" "$(reg_get "$KEY_PROGRAM" HotkeyHidden)" "absent"
expect "HotkeyExtensions after a refused OK" "$(reg_get "$KEY_PROGRAM" HotkeyExtensions)" "absent"
drv hotkey hidden
expect "Alt+. still shows hidden files" "$(wait_reg "$KEY_EXPLORER" Hidden "REG_DWORD 1")" "REG_DWORD 1"
expect "and leaves extensions alone" "$(reg_get "$KEY_EXPLORER" HideFileExt)" "REG_DWORD 1"
drv hotkey extensions
expect "Alt+Shift+. still switches extensions" "$(wait_reg "$KEY_EXPLORER" HideFileExt "REG_DWORD 0")" "REG_DWORD 0"
expect "and leaves hidden files alone" "$(reg_get "$KEY_EXPLORER" Hidden)" "REG_DWORD 1"

echo "-- a key alone, or with Shift alone, is shown as typed and refused"
open_shortcuts
drv shortcuts keys a || fail "could not type into the window"
expect "field 1 after A" "$(drv shortcuts get 1)" "0x0041"
drv shortcuts ok
expect "the note under field 1" "$(drv shortcuts status 1)" "Add Ctrl or Alt"
drv shortcuts click 1
sleep 0.3
drv shortcuts keys shift+a
expect "field 1 after Shift+A" "$(drv shortcuts get 1)" "0x0141"
drv shortcuts ok
expect "the note under field 1" "$(drv shortcuts status 1)" "Add Ctrl or Alt"

echo "-- the same keys in both fields"
drv shortcuts put 1 0x0648
drv shortcuts put 2 0x0648
drv shortcuts ok
expect "the note under field 2" "$(drv shortcuts status 2)" "Used by the other shortcut"
drv shortcuts put 1 0x060D
drv shortcuts put 2 0x0E0D
drv shortcuts ok
expect "Enter and the number pad's Enter" "$(drv shortcuts status 2)" "Used by the other shortcut"
screenshot "$WORK/shortcuts.png"
drv shortcuts cancel
expect "HotkeyHidden after refused OKs" "$(reg_get "$KEY_PROGRAM" HotkeyHidden)" "absent"
close_veilux
expect "exit code after WM_CLOSE" "$EXIT_STATUS" 0

echo "-- the menu in German names the keys in German"
fresh_account
reg_set "$KEY_PROGRAM" Lang sz DE
start_veilux
wait_main_window || die "no main window after the start in German"
tray_point
wait_ready || die "the program does not answer"
open_menu || die "no menu in German"
wait_menu_built 1 || die "no German menu in Wine's trace"
expect "the hidden-files item" "$(menu_items | sed -n 1p)" "1002 0 0 Versteckte Dateien anzeigen${TAB}Alt+."
expect "the extensions item" "$(menu_items | sed -n 4p)" "1004 0 0 Dateierweiterungen anzeigen${TAB}Alt+Umschalt+."
close_menu
close_veilux
expect "exit code after WM_CLOSE" "$EXIT_STATUS" 0
finish
