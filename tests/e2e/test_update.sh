#!/usr/bin/env bash
# The update check over HTTPS against this machine's server, whose
# certificate comes from a throwaway authority that only the test prefix
# trusts: 101 offers the update and a click on the balloon opens the
# download page once; 100 offers nothing; with the server down nothing
# happens and an old temporary file stays. The user guide item opens its page.
# A server that takes the request and never answers, or answers late, holds
# nothing up: the program answers, Alt+. works and Exit and WM_CLOSE end it at
# once. The version file lives in the user's temporary folder, never beside
# the program.
source "$(dirname "$0")/common.sh"

TEMP_FILE=$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')" 2>/dev/null)/vxversion.orv
BESIDE_EXE=$E2E_BIN/vxversion.orv
UPDATE_TEXT='A new version of Veilux is available.\nClick to go to the downloads page'
DOWNLOAD_PAGE="$SITE/vx/update/?ver=100"
rm -f "$TEMP_FILE"

# Windows' shell reports a click on a balloon to the icon's window as
# WM_TRAYICON with NIN_BALLOONUSERCLICK. Wine's shell shows balloons but
# does not report clicks on them, so the test sends what Windows would.
click_balloon() { drv post Veilux $WM_TRAYICON 1 $NIN_BALLOONUSERCLICK; }

now_ms() { echo $(($(date +%s%N) / 1000000)); }
# ends_quickly HOW MESSAGE WPARAM: posts the message while the download hangs;
# the process must end with code 0 within 3 s (a held program took 30 s).
ends_quickly() {
  local started
  started=$(now_ms)
  drv post Veilux "$2" "$3" 0 || fail "could not post $1"
  wait_exit "$VEILUX_PID" 3
  expect "exit code after $1 while the download hangs" "$EXIT_STATUS" 0
  note "$1 ended the process in $(($(now_ms) - started)) ms"
}

echo "-- the server offers 101"
serve_version '101\r\n'
start_server
fresh_account
forget_opened_pages
start_veilux
wait_main_window || die "no main window after start"
tray_point
wait_ready || die "the program does not answer"
wait_requests 1 15 || true
expect "version file requests" "$(version_requests)" 1
if wait_tooltip "$UPDATE_TEXT" 10; then
  echo "ok: the update balloon is shown"
  screenshot "$WORK/update.png"
  read -r bx by _ <<<"$(tooltip_rect "$UPDATE_TEXT")"
  crop "$WORK/update.png" "$SHOTS/update-balloon.png" "$(to_corner $((bx - 10)) $((by - 10)))"
else
  fail "no update balloon; shown: $(tooltip_texts | tr '\n' '|')"
fi
[ -e "$TEMP_FILE" ] && fail "the temporary file is still there" || echo "ok: the temporary file is gone"
modules=$(drv modules Veilux | tr 'A-Z' 'a-z')
[ -n "$modules" ] || fail "no module list of the program"
expect "network modules in the program after the check" "$(grep -xE 'urlmon.dll|wininet.dll|winhttp.dll' <<<"$modules" || true)" ""
expect "veilux.exe processes after the check" "$(drv processes veilux.exe)" 1
click_balloon
wait_opened 1 10 || fail "a click on the update balloon opened nothing"
click_balloon
sleep 2
expect "pages opened by two balloon clicks" "$(opened_pages)" "$DOWNLOAD_PAGE"

echo "-- the user guide item"
forget_opened_pages
open_menu || die "no menu"
drv keys up up return  # the one before Exit: an update offered comes first
wait_opened 1 10 || fail "the user guide item opened nothing"
sleep 1
expect "page opened by the user guide item" "$(opened_pages)" "$SITE/vx/guide"
close_veilux
expect "exit code" "$EXIT_STATUS" 0

echo "-- the server offers 100"
serve_version '100\n'
: >"$SERVER_LOG"
forget_opened_pages
start_veilux
wait_main_window || die "no main window after start"
wait_ready || die "the program does not answer"
wait_requests 1 15 || true
expect "version file requests" "$(version_requests)" 1
sleep 2
if tooltip_texts | grep -qxF -- "$UPDATE_TEXT"; then fail "an update balloon for version 100"; else echo "ok: no update balloon"; fi
[ -e "$TEMP_FILE" ] && fail "the temporary file is still there" || echo "ok: the temporary file is gone"
click_balloon
sleep 2
expect "pages opened by a click on the start balloon" "$(opened_pages)" ""
close_veilux
expect "exit code" "$EXIT_STATUS" 0

echo "-- the server is down; an old temporary file is left from before"
stop_server
printf '555\n' >"$TEMP_FILE"
touch -d '2020-01-02 03:04:05' "$TEMP_FILE"
before=$(stat -c '%s %Y' "$TEMP_FILE")
start_veilux
wait_main_window || die "no main window after start"
wait_ready 60 || die "the program does not answer after its update check"
sleep 2
if tooltip_texts | grep -qxF -- "$UPDATE_TEXT"; then fail "an update balloon with no server"; else echo "ok: no update balloon"; fi
expect "the old temporary file, untouched" "$(stat -c '%s %Y' "$TEMP_FILE" 2>/dev/null) $(cat "$TEMP_FILE" 2>/dev/null)" "$before 555"
click_balloon
sleep 1.5
expect "pages opened" "$(opened_pages)" ""
close_veilux
expect "exit code" "$EXIT_STATUS" 0
rm -f "$TEMP_FILE"

echo "-- the server takes the request and never answers"
serve_version '101\n'
delay_version never
start_server
fresh_account
start_veilux
wait_main_window || die "no main window after start"
wait_requests 1 "$START_SECONDS" || die "the program did not ask for the version file"
started=$(now_ms)
if drv ping Veilux 1000 >/dev/null; then
  echo "ok: the window answers while the download hangs ($(($(now_ms) - started)) ms)"
else
  fail "the window does not answer within a second while the download hangs"
fi
drv hotkey hidden
expect "Alt+. works while the download hangs" "$(wait_reg "$KEY_EXPLORER" Hidden "REG_DWORD 1" 2)" "REG_DWORD 1"
expect "veilux.exe processes while the download hangs (the program and its helper)" "$(drv processes veilux.exe)" 2
ends_quickly Exit $WM_COMMAND $IDM_EXIT
expect "veilux.exe processes after Exit" "$(wait_output 3 0 drv processes veilux.exe)" 0
start_veilux
wait_main_window || die "no main window after the second start"
wait_requests 2 "$START_SECONDS" || die "the second copy did not ask for the version file"
ends_quickly WM_CLOSE $WM_CLOSE 0
expect "veilux.exe processes after WM_CLOSE" "$(wait_output 3 0 drv processes veilux.exe)" 0
stop_server

echo "-- veilux.exe --check-update, started by hand: it only writes the version file"
rm -f "$TEMP_FILE"
serve_version '101\r\n'
delay_version 2
start_server
WINEDEBUG=-all wine "$VEILUX" --check-update >/dev/null 2>&1 &
helper=$!
started_pids+=("$helper")
wait_requests 1 "$START_SECONDS" || fail "the helper did not ask for the version file"
drv mutex VeiluxApp && fail "the helper holds the single-instance mutex" || echo "ok: no mutex while the helper runs"
expect "program windows while the helper runs" "$(drv windows Veilux | wc -l)" 0
wait_exit "$helper" "$START_SECONDS"
expect "the helper's exit code after a download" "$EXIT_STATUS" 0
expect "the file the helper wrote" "$(od -An -c "$TEMP_FILE" 2>/dev/null | tr -s ' ')" " 1 0 1 \r \n"
stop_server
WINEDEBUG=-all wine "$VEILUX" --check-update >/dev/null 2>&1 && status=0 || status=$?
expect "the helper's exit code with the server down" "$status" 1
expect "the file after a failed download, untouched" "$(cat "$TEMP_FILE" 2>/dev/null | tr -d '\r')" 101
rm -f "$TEMP_FILE"

echo "-- the server answers 4 s late"
delay_version 4
start_server
fresh_account
start_veilux
wait_main_window || die "no main window after start"
wait_requests 1 "$START_SECONDS" || die "the program did not ask for the version file"
asked=$(now_ms)
drv hotkey hidden
expect "Alt+. works while the answer is on its way" "$(wait_reg "$KEY_EXPLORER" Hidden "REG_DWORD 1" 2)" "REG_DWORD 1"
flipped=$(($(now_ms) - asked))
if [ "$flipped" -lt 3500 ] && ! tooltip_texts | grep -qxF -- "$UPDATE_TEXT"; then
  echo "ok: Alt+. took effect $flipped ms after the request, before the answer"
else
  fail "Alt+. took effect only $flipped ms after the request"
fi
wait_tooltip "$UPDATE_TEXT" 20 && echo "ok: the update balloon comes once the answer is in" || fail "no update balloon after the late answer"
[ -e "$TEMP_FILE" ] && fail "the temporary file is still there" || echo "ok: the temporary file is gone"
close_veilux
expect "exit code" "$EXIT_STATUS" 0

echo "-- an empty answer stays in the temporary folder, never beside the program"
delay_version ""
serve_version '\r\n'
rm -f "$TEMP_FILE" "$BESIDE_EXE"
start_veilux
wait_main_window || die "no main window after start"
wait_for 15 test -e "$TEMP_FILE" || true
expect "the version file in the temporary folder" "$(od -An -c "$TEMP_FILE" 2>/dev/null | tr -s ' ')" " \r \n"
[ -e "$BESIDE_EXE" ] && fail "a version file beside the program" || echo "ok: nothing beside the program"
close_veilux
expect "exit code" "$EXIT_STATUS" 0
stop_server
rm -f "$TEMP_FILE"
finish
