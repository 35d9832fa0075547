#!/usr/bin/env bash
# The update check over HTTPS against this machine's server, whose
# certificate comes from a throwaway authority that only the test prefix
# trusts: 101 offers the update and a click on the balloon opens the
# download page once; 100 offers nothing; with the server down nothing
# happens and an old temporary file stays. The user guide item opens its page.
source "$(dirname "$0")/common.sh"

TEMP_FILE=$E2E_BIN/vxversion.orv
UPDATE_TEXT='A new version of Veilux is available.\nClick to go to the downloads page'
DOWNLOAD_PAGE="$SITE/vx/update/?ver=100"
rm -f "$TEMP_FILE"

# Windows' shell reports a click on a balloon to the icon's window as
# WM_TRAYICON with NIN_BALLOONUSERCLICK. Wine's shell shows balloons but
# does not report clicks on them, so the test sends what Windows would.
click_balloon() { drv post Veilux $WM_TRAYICON 1 $NIN_BALLOONUSERCLICK; }

echo "-- the server offers 101"
serve_version '101\r\n'
start_server
fresh_account
forget_opened_pages
start_veilux
wait_main_window || die "no main window after start"
tray_point
wait_ready 30 || die "the program does not answer after its update check"
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
click_balloon
wait_opened 1 10 || fail "a click on the update balloon opened nothing"
click_balloon
sleep 2
expect "pages opened by two balloon clicks" "$(opened_pages)" "$DOWNLOAD_PAGE"

echo "-- the user guide item"
forget_opened_pages
open_menu || die "no menu"
choose_item 5
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
wait_ready 30 || die "the program does not answer after its update check"
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
finish
