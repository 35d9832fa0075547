#!/usr/bin/env bash
# The settings window from the menu: choose Deutsch and start with Windows,
# OK; the choices are stored, the window and the next menu are in German.
# Start with Windows switched off in Task Manager shows unchecked, and stays off.
# Then the same window with the keyboard alone.
source "$(dirname "$0")/common.sh"

fresh_account
start_veilux
wait_main_window || die "no main window after start"
tray_point
wait_ready || die "the program does not answer"
exe_path=$(winepath -w "$VEILUX" 2>/dev/null)

echo "-- Settings from the menu"
open_menu || die "no menu"
choose_item 5
drv find IdiomaSelectorWindow - 5000 >/dev/null || die "Settings opened no window"
sleep 0.5
drv selector read >"$WORK/selector-1.txt"
expect "caption" "$(sed -n 's/^caption //p' "$WORK/selector-1.txt")" "Settings - Veilux 1.0"
expect "languages" "$(sed -n 's/^items //p' "$WORK/selector-1.txt")" \
  "English|Español|Português|Deutsch|Français|Italiano|中文|Русский|한국어|Nederlands"
expect "preselected" "$(sed -n 's/^selected //p' "$WORK/selector-1.txt")" "English"
expect "start with Windows" "$(sed -n 's/^startup //p' "$WORK/selector-1.txt")" 0
expect "outer size and place" "$(sed -n 's/^rect //p' "$WORK/selector-1.txt")" "240 192 320 215"

echo "-- Cancel writes nothing"
drv selector choose Deutsch || fail "Deutsch is not in the list"
drv selector startup on || fail "could not tick the check box"
drv selector cancel
drv gone IdiomaSelectorWindow 5000 || die "Cancel did not close the window"
expect "Lang after Cancel" "$(reg_get "$KEY_PROGRAM" Lang)" "$(sz EN)"
expect "Run entry after Cancel" "$(reg_get "$KEY_RUN" Veilux)" absent
expect "RunAtStartup after Cancel" "$(reg_get "$KEY_PROGRAM" RunAtStartup)" absent

echo "-- Deutsch, start with Windows, OK"
open_menu || die "no menu"
choose_item 5
drv find IdiomaSelectorWindow - 5000 >/dev/null || die "Settings opened no window the second time"
sleep 0.3
expect "the window opens as it was stored" "$(drv selector read | sed -n 's/^selected //p')" "English"
drv selector choose Deutsch || fail "Deutsch is not in the list"
drv selector startup on || fail "could not tick the check box"
drv selector ok
drv gone IdiomaSelectorWindow 5000 || die "OK did not close the window"
expect "Lang" "$(reg_get "$KEY_PROGRAM" Lang)" "$(sz DE)"
expect "Run entry: the quoted path" "$(reg_get "$KEY_RUN" Veilux)" "$(sz "\"$exe_path\"")"
expect "RunAtStartup" "$(reg_get "$KEY_PROGRAM" RunAtStartup)" "REG_DWORD 1"

echo "-- opened again: in German, with the stored choices"
open_menu || die "no menu"
wait_menu_built 3 || die "the menu is not in Wine's trace"
expected_de="1002 0 0 Versteckte Dateien anzeigen${TAB}Alt+.
1003 1 0 Geschützte Systemdateien einschließen
1009 0 0 Ordner, die mit einem Punkt beginnen, als versteckt behandeln
0 0 0 -
1004 0 0 Dateierweiterungen anzeigen${TAB}Alt+Umschalt+.
0 0 0 -
1005 0 0 Einstellungen
1007 0 0 Tastenkombinationen
1006 0 0 Benutzerhandbuch
0 0 0 -
1001 0 0 Beenden"
expect "the next menu is in German" "$(menu_items)" "$expected_de"
choose_item 5
drv find IdiomaSelectorWindow - 5000 >/dev/null || die "Settings opened no window the third time"
sleep 0.3
drv selector read >"$WORK/selector-3.txt"
expect "caption" "$(sed -n 's/^caption //p' "$WORK/selector-3.txt")" "Einstellungen - Veilux 1.0"
expect "preselected" "$(sed -n 's/^selected //p' "$WORK/selector-3.txt")" "Deutsch"
expect "start with Windows" "$(sed -n 's/^startup //p' "$WORK/selector-3.txt")" 1

echo "-- a second Settings command brings the same window, none beside it"
drv post Veilux $WM_COMMAND $IDM_SETTINGS 0
sleep 0.5
expect "settings windows" "$(drv windows IdiomaSelectorWindow | wc -l)" 1

echo "-- unticked and OK: the Run entry goes, the choice is kept"
drv selector startup off || fail "could not clear the check box"
drv selector ok
drv gone IdiomaSelectorWindow 5000 || die "OK did not close the window"
expect "Run entry" "$(reg_get "$KEY_RUN" Veilux)" absent
expect "RunAtStartup" "$(reg_get "$KEY_PROGRAM" RunAtStartup)" "REG_DWORD 0"
expect "Lang kept" "$(reg_get "$KEY_PROGRAM" Lang)" "$(sz DE)"

echo "-- start with Windows switched off in Task Manager"
KEY_APPROVED='Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run'
reg_set "$KEY_RUN" Veilux sz "\"$exe_path\""
reg_set "$KEY_APPROVED" Veilux binary 030000000000000000000000
drv post Veilux $WM_COMMAND $IDM_SETTINGS 0
drv find IdiomaSelectorWindow - 5000 >/dev/null || die "Settings opened no window"
sleep 0.3
expect "the box of a switched-off entry" "$(drv selector read | sed -n 's/^startup //p')" 0
drv selector choose English || fail "English is not in the list"
drv selector ok
drv gone IdiomaSelectorWindow 5000 || die "OK did not close the window"
expect "Run entry after an OK for the language" "$(reg_get "$KEY_RUN" Veilux)" absent
expect "Windows' mark goes with it" "$(reg_get "$KEY_APPROVED" Veilux)" absent
expect "Lang" "$(reg_get "$KEY_PROGRAM" Lang)" "$(sz EN)"

# The keyboard, typed into the window in front as a user types.
open_settings() {
  drv post Veilux $WM_COMMAND $IDM_SETTINGS 0
  drv find IdiomaSelectorWindow - 5000 >/dev/null || die "Settings opened no window ($1)"
}
# "F ID ": whether the window is in front (1 or 0), and the id of the control with the focus.
front_and_focus() { drv selector read | sed -n 's/^\(front\|focus\) //p' | tr '\n' ' '; }
# wait_focus ID: until the window is in front with the focus on that control; prints what it read last.
wait_focus() { wait_output 3 "1 $1 " front_and_focus; }
typed() { drv selector keys "$@" || die "could not type $* into the window"; }
closed_by() { drv gone IdiomaSelectorWindow 5000 || die "$1 did not close the window"; }

echo "-- the keyboard: the list has the focus; Down, Esc saves nothing"
reg_set "$KEY_PROGRAM" Lang sz EN
drv reg delete "$KEY_PROGRAM" RunAtStartup
open_settings "Down, Esc"
expect "in front, the focus on the list" "$(wait_focus 1001)" "1 1001 "
typed down escape
closed_by Esc
expect "Lang after Down, Esc" "$(reg_get "$KEY_PROGRAM" Lang)" "$(sz EN)"
expect "RunAtStartup after Down, Esc" "$(reg_get "$KEY_PROGRAM" RunAtStartup)" absent

echo "-- Down, Enter saves Español"
open_settings "Down, Enter"
wait_focus 1001 >/dev/null
typed down return
closed_by Enter
expect "Lang after Down, Enter" "$(reg_get "$KEY_PROGRAM" Lang)" "$(sz ES)"
expect "RunAtStartup after Down, Enter" "$(reg_get "$KEY_PROGRAM" RunAtStartup)" "REG_DWORD 0"

echo "-- Tab, Space, Enter: start with Windows"
open_settings "Tab, Space, Enter"
wait_focus 1001 >/dev/null
typed tab space return
closed_by Enter
expect "Run entry after Tab, Space, Enter" "$(reg_get "$KEY_RUN" Veilux)" "$(sz "\"$exe_path\"")"
expect "RunAtStartup after Tab, Space, Enter" "$(reg_get "$KEY_PROGRAM" RunAtStartup)" "REG_DWORD 1"

echo "-- three Tabs reach Cancel, which keeps the focus while the window is in the back; Enter there saves nothing"
drv reg delete "$KEY_PROGRAM" RunAtStartup
open_settings "three Tabs"
wait_focus 1001 >/dev/null
typed tab tab tab
expect "focus after three Tabs" "$(wait_focus 2)" "1 2 "
xdotool mousemove 700 60 click 1  # on the desktop
sleep 0.5
expect "the window in the back" "$(drv selector read | sed -n 's/^front //p')" 0
drv post Veilux $WM_COMMAND $IDM_SETTINGS 0
expect "Settings again: in front, the focus on Cancel" "$(wait_focus 2)" "1 2 "
typed tab
expect "Tab on Cancel: the list" "$(wait_focus 1001)" "1 1001 "
typed shift+tab
expect "Shift+Tab: Cancel again" "$(wait_focus 2)" "1 2 "
typed return
closed_by "Enter on Cancel"
expect "RunAtStartup after Enter on Cancel" "$(reg_get "$KEY_PROGRAM" RunAtStartup)" absent
expect "Lang after Enter on Cancel" "$(reg_get "$KEY_PROGRAM" Lang)" "$(sz ES)"

echo "-- Alt+F4 closes it, as the close box does"
open_settings "Alt+F4"
wait_focus 1001 >/dev/null
typed alt+f4
closed_by Alt+F4
expect "RunAtStartup after Alt+F4" "$(reg_get "$KEY_PROGRAM" RunAtStartup)" absent

close_veilux
expect "exit code after WM_CLOSE" "$EXIT_STATUS" 0

echo "-- from a folder where the full path is 259 characters: the choice survives"
deep=$WORK/deep
mkdir -p "$deep"
base=$(winepath -w "$deep" 2>/dev/null | tr -d '\r')
pad=$((259 - ${#base} - 12))  # BASE\PAD\veilux.exe: 1 + 11 characters besides
deep=$deep/$(head -c "$pad" /dev/zero | tr '\0' d)
mkdir -p "$deep" && cp "$VEILUX" "$deep/veilux.exe"
deep_path=$(winepath -w "$deep/veilux.exe" 2>/dev/null | tr -d '\r')
expect "path length" "${#deep_path}" 259
VEILUX_EXE=$deep/veilux.exe start_veilux
wait_main_window || die "no main window from the deep folder"
wait_ready || die "the program from the deep folder does not answer"
for round in 1 2; do
  drv post Veilux $WM_COMMAND $IDM_SETTINGS 0
  drv find IdiomaSelectorWindow - 5000 >/dev/null || die "Settings opened no window (round $round)"
  sleep 0.3
  if [ "$round" = 1 ]; then
    drv selector startup on || fail "could not tick the check box"
  else
    expect "the box shows the stored entry" "$(drv selector read | sed -n 's/^startup //p')" 1
  fi
  drv selector ok
  drv gone IdiomaSelectorWindow 5000 || die "OK did not close the window (round $round)"
  expect "Run entry after OK $round: 524 bytes" "$(reg_get "$KEY_RUN" Veilux)" "$(sz "\"$deep_path\"")"
  expect "RunAtStartup after OK $round" "$(reg_get "$KEY_PROGRAM" RunAtStartup)" "REG_DWORD 1"
done
close_veilux
expect "exit code after WM_CLOSE" "$EXIT_STATUS" 0
finish
