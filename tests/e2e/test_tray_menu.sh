#!/usr/bin/env bash
# The right-click menu: its eleven items in the current language, with the
# shortcuts' names after the two toggles, the check
# mark of "Include protected system files" and choosing it; a double click
# on the icon flips hidden files; the menu in Russian.
source "$(dirname "$0")/common.sh"

fresh_account
start_veilux
wait_main_window || die "no main window after start"
tray_point
wait_ready || die "the program does not answer after start"

# The start balloon would cover the menu in its picture.
let_start_balloon_pass

echo "-- right click: the menu"
open_menu || die "no menu after a right click on the icon"
wait_menu_built 1 || die "no menu in Wine's trace"
sleep 0.3
screenshot "$WORK/menu-en.png"
read -r _ mx my _ <"$WORK/menu-window.txt"
crop "$WORK/menu-en.png" "$SHOTS/menu-en.png" "$(to_corner $((mx - 10)) $((my - 10)))"
expected_en="1002 0 0 Show hidden files${TAB}Alt+.
1003 1 0 Include protected system files
1009 0 0 Treat dot folders as hidden
0 0 0 -
1004 0 0 Show file extensions${TAB}Alt+Shift+.
0 0 0 -
1005 0 0 Settings
1007 0 0 Keyboard shortcuts
1006 0 0 User Guide
0 0 0 -
1001 0 0 Exit"
expect "menu items (id, checked, disabled, text)" "$(menu_items)" "$expected_en"

echo "-- choose 'Include protected system files': the option goes off"
choose_item 2
expect "IncludeSystemFiles" "$(wait_reg "$KEY_PROGRAM" IncludeSystemFiles "REG_DWORD 0")" "REG_DWORD 0"
expect "ShowSuperHidden" "$(wait_reg "$KEY_EXPLORER" ShowSuperHidden "REG_DWORD 0")" "REG_DWORD 0"
expect "Hidden stays hidden" "$(reg_get "$KEY_EXPLORER" Hidden)" "REG_DWORD 2"
open_menu || die "no menu after the second right click"
wait_menu_built 2 || die "the second menu is not in Wine's trace"
expect "item 2 has lost its check mark" "$(menu_items | sed -n 2p)" "1003 0 0 Include protected system files"
choose_item 2
expect "IncludeSystemFiles back on" "$(wait_reg "$KEY_PROGRAM" IncludeSystemFiles "REG_DWORD 1")" "REG_DWORD 1"
expect "ShowSuperHidden back on" "$(wait_reg "$KEY_EXPLORER" ShowSuperHidden "REG_DWORD 1")" "REG_DWORD 1"

echo "-- double click on the icon: hidden files shown"
xdotool mousemove "$TRAY_X" "$TRAY_Y" click --repeat 2 --delay 100 1
expect "Hidden after a double click" "$(wait_reg "$KEY_EXPLORER" Hidden "REG_DWORD 1")" "REG_DWORD 1"
open_menu || die "no menu after the double click"
wait_menu_built 3 || die "the third menu is not in Wine's trace"
expect "item 1 now offers to hide" "$(menu_items | sed -n 1p)" "1002 0 0 Hide hidden files${TAB}Alt+."
close_menu
xdotool mousemove "$TRAY_X" "$TRAY_Y" click 1
sleep 0.8
expect "a single click changes nothing" "$(reg_get "$KEY_EXPLORER" Hidden)" "REG_DWORD 1"
close_veilux
expect "exit code after WM_CLOSE" "$EXIT_STATUS" 0

echo "-- the menu in Russian"
fresh_account
reg_set "$KEY_PROGRAM" Lang sz RU
start_veilux
wait_main_window || die "no main window after the start in Russian"
wait_ready || die "the program does not answer"
wait_tooltip "Veilux запущен и работает в системном трее." 10 || note "no start balloon in Russian"
wait_no_tooltip "Veilux запущен и работает в системном трее." 20 || note "the start balloon stayed"
open_menu || die "no menu in Russian"
wait_menu_built 1 || die "no Russian menu in Wine's trace"
sleep 0.3
screenshot "$WORK/menu-ru.png"
read -r _ mx my _ <"$WORK/menu-window.txt"
crop "$WORK/menu-ru.png" "$SHOTS/menu-ru.png" "$(to_corner $((mx - 10)) $((my - 10)))"
expected_ru="1002 0 0 Показать скрытые файлы${TAB}Alt+.
1003 1 0 Включить защищённые системные файлы
1009 0 0 Считать скрытыми папки, имена которых начинаются с точки
0 0 0 -
1004 0 0 Показать расширения файлов${TAB}Alt+Shift+.
0 0 0 -
1005 0 0 Настройки
1007 0 0 Сочетания клавиш
1006 0 0 Руководство пользователя
0 0 0 -
1001 0 0 Выход"
expect "menu items in Russian" "$(menu_items)" "$expected_ru"
close_menu
close_veilux
expect "exit code after WM_CLOSE" "$EXIT_STATUS" 0
finish
