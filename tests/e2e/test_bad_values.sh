#!/usr/bin/env bash
# Values of the wrong size or type left in the registry: the program starts,
# nothing crashes, and each one reads as its default.
source "$(dirname "$0")/common.sh"

fresh_account
reg_set "$KEY_PROGRAM" Lang sz ABCDEFGHIJKL                 # 12 characters: too long to be a code
reg_set "$KEY_EXPLORER" Hidden sz 1                         # a string, not a number
reg_set "$KEY_EXPLORER" HideFileExt binary 0100000000000000 # 8 bytes
reg_set "$KEY_PROGRAM" IncludeSystemFiles dword 2           # only 1 means on
reg_set "$KEY_PROGRAM" DotFoldersHidden sz 1                # only the number 1 means on
reg_set "$KEY_PROGRAM" DotFolderPlaces dword 5              # not a list of folders
reg_set "$KEY_PROGRAM" MarkedDotFolders binary 41003a005c   # no list of marks either
unreadable_record=$(reg_get "$KEY_PROGRAM" MarkedDotFolders)
start_veilux
wait_main_window || die "no main window after start"
tray_point
wait_ready || die "the program does not answer"
if drv msgbox Error 1000 >"$WORK/box.txt"; then fail "an error box: $(cat "$WORK/box.txt" | tr '\n' '|')"; fi
expect "Lang: the too-long code is replaced by the chosen one" "$(reg_get "$KEY_PROGRAM" Lang)" "$(sz EN)"

echo "-- the defaults in effect"
open_menu || die "no menu"
wait_menu_built 1 || die "no menu in Wine's trace"
expected="1002 0 0 Show hidden files${TAB}Alt+.
1003 0 0 Include protected system files
1009 0 0 Treat dot folders as hidden
0 0 0 -
1004 0 0 Hide file extensions${TAB}Alt+Shift+.
0 0 0 -
1005 0 0 Settings
1007 0 0 Keyboard shortcuts
1006 0 0 User Guide
0 0 0 -
1001 0 0 Exit"
expect "menu: hidden files hidden, system files not included, extensions shown" "$(menu_items)" "$expected"
# By now the worker has looked at it: a record it cannot read is neither used nor cleared.
expect "the unreadable record of marks is left as it is" "$(reg_get "$KEY_PROGRAM" MarkedDotFolders)" \
  "$unreadable_record"
close_menu
drv hotkey hidden
expect "Hidden after Alt+." "$(wait_reg "$KEY_EXPLORER" Hidden "REG_DWORD 1")" "REG_DWORD 1"
expect "ShowSuperHidden: system files not included" "$(reg_get "$KEY_EXPLORER" ShowSuperHidden)" "REG_DWORD 0"
expect "tooltip" "$(hover_tooltip "Hidden files: VISIBLE")" "Hidden files: VISIBLE"
mouse_away
drv hotkey extensions
expect "HideFileExt after Alt+Shift+." "$(wait_reg "$KEY_EXPLORER" HideFileExt "REG_DWORD 1")" "REG_DWORD 1"
expect "IncludeExtensions" "$(reg_get "$KEY_PROGRAM" IncludeExtensions)" "REG_DWORD 0"
drv ping Veilux 1000 >/dev/null && echo "ok: still running and answering" || fail "the program stopped answering"
close_veilux
expect "exit code after WM_CLOSE" "$EXIT_STATUS" 0
finish
