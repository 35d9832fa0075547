# Shared by the end-to-end tests; each test_*.sh sources this file.
# They run in the stage of stage.sh (inside tools/wine/wine-session.sh), which gives them a private display,
# a fresh prefix with a virtual desktop of 800x600 and the https recorder;
# CTest gives them E2E_BIN (the build folder), E2E_SOURCE and E2E_PORT.
# -E: the ERR trap reaches into functions too; without it a command that
# fails inside a helper ends the test without a word.
set -Eeuo pipefail

: "${E2E_BIN:?run the end-to-end tests through ctest in their build folder}"
: "${E2E_RUN:?run the end-to-end tests in the stage of tests/e2e/stage.sh (make test does)}"
: "${WINEPREFIX:?}" "${DISPLAY:?}" "${E2E_PORT:?}"

TEST_NAME=$(basename "$0" .sh)
TEST_NAME=${TEST_NAME#test_}
DRIVER=$E2E_BIN/e2e_driver.exe
VEILUX=$E2E_BIN/veilux.exe
SHOTS=$E2E_BIN/screenshots
WORK=$E2E_RUN/$TEST_NAME
SITE="https://localhost:$E2E_PORT"
rm -rf "$WORK"
mkdir -p "$WORK" "$SHOTS"

KEY_PROGRAM='Software\Veilux'
KEY_EXPLORER='Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced'
KEY_RUN='SOFTWARE\Microsoft\Windows\CurrentVersion\Run'

WM_CLOSE=0x0010
WM_COMMAND=0x0111
WM_TRAYICON=0x0401
NIN_BALLOONUSERCLICK=0x0405
IDM_EXIT=1001
IDM_SETTINGS=1005
TAB=$'\t'  # between a menu item's text and its shortcut

# ---- reporting ----------------------------------------------------------------

# A command that fails where nothing handles it ends the test: say where,
# through which helpers, and what the driver's Wine said last. Only the test's
# own shell reports: a failure inside $(...) is the caller's to judge.
report_error() {
  local status=$1 where="line $2" i
  [ "$BASH_SUBSHELL" -eq 0 ] || return 0
  for ((i = 1; i < ${#FUNCNAME[@]} - 1; i++)); do where+=" of ${FUNCNAME[i]}(), called at line ${BASH_LINENO[i]}"; done
  echo "FAIL: $where: \"$3\" failed with status $status"
  [ ! -s "$WORK/driver.err" ] || sed 's/^/  driver stderr: /' "$WORK/driver.err" | tail -n 5
}
trap 'report_error $? $LINENO "$BASH_COMMAND"' ERR

failures=0
note() { echo "  $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
# expect WHAT ACTUAL EXPECTED
expect() {
  if [ "$2" == "$3" ]; then echo "ok: $1"; else fail "$1: got '$2', expected '$3'"; fi
}
# A failure after which the test cannot go on.
die() {
  echo "FAIL: $*"
  exit 1
}
finish() {
  if [ "$failures" -gt 0 ]; then
    echo "$TEST_NAME: $failures check(s) failed"
    exit 1
  fi
  echo "$TEST_NAME: all checks passed"
}

# ---- processes this test started ----------------------------------------------

started_pids=()
server_pid=""
cleanup() {
  local pid
  for pid in "${started_pids[@]}"; do
    if kill -0 "$pid" 2>/dev/null; then
      echo "  (ending veilux.exe, pid $pid, which the test left running)"
      kill "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
    fi
  done
  stop_server
}
trap cleanup EXIT

# The driver; its own output is UTF-8. Wine's stderr of the last call is kept
# for the failure report.
# The driver answers 0, 1 (not there, or timed out) or 2 (usage); any other
# status means Wine did not run it at all, which is said and tried once more.
drv() {
  local status=0 try
  for try in 1 2; do
    status=0
    WINEDEBUG=-all wine "$DRIVER" "$@" 2>"$WORK/driver.err" | tr -d '\r' || status=$?
    [ "$status" -gt 2 ] || return "$status"
    echo "  (the driver did not run: status $status for \"$*\"; $(tail -n 1 "$WORK/driver.err"))" >&2
  done
  return "$status"
}

# start_veilux [NAME=VALUE...]: starts the program as a user would, with no
# locale unless one is given, and Wine's trace of menus in its log (what the
# menu showed is read from there: Wine does not let another process read a
# pop-up menu). Sets VEILUX_PID and VEILUX_LOG.
run_count=0
start_veilux() {
  run_count=$((run_count + 1))
  VEILUX_LOG=$WORK/veilux-$run_count.log
  local exe=${VEILUX_EXE:-$VEILUX}
  env -u LC_ALL -u LANG -u LANGUAGE -u LC_MESSAGES -u LC_CTYPE WINEDEBUG=-all,trace+menu "$@" \
    wine "$exe" >"$VEILUX_LOG" 2>&1 &
  VEILUX_PID=$!
  started_pids+=("$VEILUX_PID")
}

# wait_exit PID SECONDS: sets EXIT_STATUS to the process's exit code, or to
# "running" when it is still there after SECONDS. (Not in a subshell: only
# this shell can collect the exit code of its child.)
wait_exit() {
  local pid=$1 tenths=$(($2 * 10))
  EXIT_STATUS=running
  while kill -0 "$pid" 2>/dev/null; do
    [ "$tenths" -gt 0 ] || return 0
    sleep 0.1
    tenths=$((tenths - 1))
  done
  EXIT_STATUS=0
  wait "$pid" 2>/dev/null || EXIT_STATUS=$?
}

# How long a wait for something that is to come may last. A new Wine process
# on a loaded two-core machine has been seen to take over 10 s to show its
# first window; a wait ends as soon as the thing comes, so a generous limit
# costs a passing test nothing. (A check that something does NOT come, or
# comes in time, keeps its own limit.)
START_SECONDS=${E2E_START_SECONDS:-60}

# The hidden main window "Veilux" of class "Veilux"; fails after SECONDS.
wait_main_window() {
  drv find Veilux Veilux $((${1:-$START_SECONDS} * 1000)) >/dev/null
}

# The program's message loop answers: its start-up is over (the update check
# runs on beside it).
wait_ready() {
  drv ping Veilux $((${1:-$START_SECONDS} * 1000)) >/dev/null
}

# Ends the program from outside: WM_CLOSE to its hidden window; sets EXIT_STATUS.
close_veilux() {
  local pid=${1:-$VEILUX_PID}
  drv post Veilux $WM_CLOSE 0 0 || true
  wait_exit "$pid" 10
}

# ---- the registry --------------------------------------------------------------

reg_get() { drv reg get "$1" "$2"; }
reg_set() { drv reg set "$@" || die "could not write $1\\$2"; }

# Explorer's values of a fresh account and no trace of the program.
fresh_account() {
  drv reg delete "$KEY_PROGRAM"
  rm -rf "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Veilux"  # the record of dot-folder marks
  drv reg delete "$KEY_RUN" Veilux
  drv reg delete "$KEY_EXPLORER" ShowSuperHidden
  reg_set "$KEY_EXPLORER" Hidden dword 2
  reg_set "$KEY_EXPLORER" HideFileExt dword 1
}

# wait_for SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds,
# for at most SECONDS; fails if it never did.
wait_for() {
  local tenths=$(($1 * 10))
  shift
  until "$@"; do
    [ "$tenths" -gt 0 ] || return 1
    sleep 0.1
    tenths=$((tenths - 1))
  done
}

# wait_output SECONDS EXPECTED COMMAND...: runs COMMAND every 0.1 s until it
# prints EXPECTED, for at most SECONDS; prints what it printed last, for the
# test to compare.
wait_output() {
  local tenths=$(($1 * 10)) expected=$2 output
  shift 2
  while :; do
    output=$("$@")
    if [ "$output" == "$expected" ] || [ "$tenths" -le 0 ]; then
      echo "$output"
      return
    fi
    sleep 0.1
    tenths=$((tenths - 1))
  done
}

# wait_reg KEY VALUE EXPECTED [SECONDS]: until the value reads as EXPECTED
# (in reg_get's form, e.g. "REG_DWORD 1"); prints what it read last.
wait_reg() { wait_output "${4:-5}" "$3" reg_get "$1" "$2"; }

# wait_key_settled KEY SECONDS: until nothing has been written to KEY for a
# second and a half (the program has worked through what was queued).
wait_key_settled() {
  local deadline=$((SECONDS + $2)) last stamp quiet=0
  last=$(drv reg stamp "$1")
  while [ "$SECONDS" -lt "$deadline" ]; do
    sleep 0.5
    stamp=$(drv reg stamp "$1")
    if [ "$stamp" == "$last" ]; then
      quiet=$((quiet + 1))
      [ "$quiet" -ge 3 ] && return 0
    else
      quiet=0
      last=$stamp
    fi
  done
  return 1
}

# The registry form of a REG_SZ holding TEXT with its terminating NUL.
sz() {
  local text=$1
  local units
  units=$(printf '%s' "$text" | iconv -f utf-8 -t utf-16le | wc -c)
  echo "REG_SZ $((units + 2)) $text"
}

# ---- the screen ----------------------------------------------------------------

# Where the program's icon sits in the notification area: TRAY_X, TRAY_Y.
tray_point() {
  local point
  point=$(drv trayicon) || die "no notification area on the desktop"
  read -r TRAY_X TRAY_Y _ <<<"$point"
}

screenshot() { /usr/bin/import -window root "$1"; }

# crop SOURCE DEST WxH+X+Y [SCALE%]
crop() { /usr/bin/convert "$1" -crop "$3" +repage ${4:+-scale "$4"} "$2"; }

# to_corner X Y: the rectangle from X,Y to the screen's lower right corner.
to_corner() { echo "$((800 - $1))x$((600 - $2))+$1+$2"; }

# A fingerprint of the pixels of a rectangle of a screenshot.
pixels() {
  /usr/bin/convert "$1" -crop "$2" +repage -format '%#' info: 2>"$WORK/convert.err" ||
    die "cannot read $2 of $1: $(cat "$WORK/convert.err")"
  [ ! -s "$WORK/convert.err" ] || die "cannot read $2 of $1: $(cat "$WORK/convert.err")"
}

# The icon's cell (16x16 around its centre), and the cell's lower band, which
# the pointer of a balloon never covers.
icon_cell() { echo "16x16+$((TRAY_X - 8))+$((TRAY_Y - 8))"; }
icon_band() { echo "16x5+$((TRAY_X - 8 - ${1:-0}))+$((TRAY_Y + 2))"; }

# icon_shown SCREENSHOT: the icon's place differs from the empty taskbar (or
# desktop) beside it; the program's icon is the only one in the area.
icon_shown() { [ "$(pixels "$1" "$(icon_band)")" != "$(pixels "$1" "$(icon_band 40)")" ]; }

# The texts of the visible tooltips and balloons, one a line.
tooltip_texts() { drv tooltips | cut -f2-; }

# wait_tooltip TEXT SECONDS: until a tooltip or balloon shows exactly TEXT.
wait_tooltip() {
  local tenths=$(($2 * 10))
  while [ "$tenths" -gt 0 ]; do
    tooltip_texts | grep -qxF -- "$1" && return 0
    sleep 0.2
    tenths=$((tenths - 2))
  done
  return 1
}

# wait_no_tooltip TEXT SECONDS: until no tooltip or balloon shows TEXT.
wait_no_tooltip() {
  local tenths=$(($2 * 10))
  while [ "$tenths" -gt 0 ]; do
    tooltip_texts | grep -qxF -- "$1" || return 0
    sleep 0.2
    tenths=$((tenths - 2))
  done
  return 1
}

# "X Y W H" of the first visible tooltip or balloon showing TEXT.
tooltip_rect() { drv tooltips | TEXT=$1 awk -F'\t' '$2 == ENVIRON["TEXT"] { print $1; exit }'; }

# hover_tooltip: rests the mouse on the icon until the shell shows its
# tooltip; prints the tooltip's text (the line that is not a balloon's).
hover_tooltip() {
  local expected=$1
  xdotool mousemove $((TRAY_X + 20)) $((TRAY_Y - 100))
  sleep 0.3
  xdotool mousemove "$TRAY_X" "$TRAY_Y"
  if wait_tooltip "$expected" 5; then echo "$expected"; else tooltip_texts | tr '\n' '|'; fi
}

mouse_away() { xdotool mousemove 400 200; }

# ---- the tray menu -------------------------------------------------------------

# Opens the menu with a right click on the icon; fails when none appears.
# The mouse then leaves the icon, so that its tooltip does not cover the menu.
open_menu() {
  xdotool mousemove "$TRAY_X" "$TRAY_Y" click 3
  drv menu 5000 >"$WORK/menu-window.txt" || return 1
  xdotool mousemove 300 300
}

# The start balloon: wait until it has come and gone (it covers part of the icon).
START_BALLOON="Veilux has started and is running in the system tray."
let_start_balloon_pass() {
  wait_tooltip "$START_BALLOON" 10 || note "no start balloon came"
  wait_no_tooltip "$START_BALLOON" 20 || note "the start balloon stayed"
}

# The picture of the icon, enlarged, for a person to look at.
save_icon_picture() { crop "$1" "$2" "48x28+$((TRAY_X - 24))+$((TRAY_Y - 14))" 400%; }

# choose_item N: the Nth command of the open menu (separators do not count),
# chosen with the arrow keys and Enter.
choose_item() {
  local keys=() i
  for ((i = 0; i < $1; i++)); do keys+=(down); done
  drv keys "${keys[@]}" return
}

close_menu() {
  drv keys escape
  sleep 0.3
}

# The items of the last menu the program built, from Wine's trace in its
# log: "ID CHECKED TEXT" a line ("0 0 -" for a separator).
menu_items() { python3 "$E2E_SOURCE/tests/e2e/menu_items.py" "${1:-$VEILUX_LOG}"; }

# wait_menu_built COUNT: until the log holds COUNT built menus.
wait_menu_built() {
  local tenths=30
  while [ "$tenths" -gt 0 ]; do
    [ "$(python3 "$E2E_SOURCE/tests/e2e/menu_items.py" --count "$VEILUX_LOG")" -ge "$1" ] && return 0
    sleep 0.1
    tenths=$((tenths - 1))
  done
  return 1
}

# ---- the website ---------------------------------------------------------------

WWW=$WORK/www
SERVER_LOG=$WORK/server.log
VERSION_FILE=$WWW/vx/update/vxversion.orv

# serve_version BYTES: the version file the server hands out (printf format).
serve_version() {
  mkdir -p "$(dirname "$VERSION_FILE")"
  # shellcheck disable=SC2059
  printf "$1" >"$VERSION_FILE"
}

# delay_version SECONDS|never|"": how late the server answers for the version file.
delay_version() {
  if [ -n "$1" ]; then echo "$1" >"$VERSION_FILE.delay"; else rm -f "$VERSION_FILE.delay"; fi
}

start_server() {
  mkdir -p "$WWW"
  : >"$SERVER_LOG"
  python3 "$E2E_SOURCE/tests/e2e/https_server.py" --port "$E2E_PORT" --cert "$E2E_CERTS/server.pem" \
    --key "$E2E_CERTS/server.key" --root "$WWW" --log "$SERVER_LOG" >"$WORK/server.out" 2>&1 &
  server_pid=$!
  local tenths=50
  until grep -q ready "$WORK/server.out" 2>/dev/null; do
    kill -0 "$server_pid" 2>/dev/null || die "the HTTPS server did not start: $(cat "$WORK/server.out")"
    [ "$tenths" -gt 0 ] || die "the HTTPS server did not get ready"
    sleep 0.1
    tenths=$((tenths - 1))
  done
}

stop_server() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
    server_pid=""
  fi
}

# Requests for the version file that the server has seen.
version_requests() { grep -c '^GET /vx/update/vxversion.orv$' "$SERVER_LOG" 2>/dev/null || true; }

# wait_requests COUNT SECONDS: until the server has seen COUNT requests for
# the version file. The check runs beside the user: its request may come
# after the program first answers.
wait_requests() { wait_for "$2" version_requests_reach "$1"; }
version_requests_reach() { [ "$(version_requests)" -ge "$1" ]; }

# The pages the program asked the system to open, one a line.
opened_pages() { cat "$E2E_OPENED" 2>/dev/null || true; }
forget_opened_pages() { rm -f "$E2E_OPENED"; }

# wait_opened COUNT SECONDS: until COUNT pages have been recorded.
wait_opened() {
  local tenths=$(($2 * 10))
  while [ "$tenths" -gt 0 ]; do
    [ "$(opened_pages | wc -l)" -ge "$1" ] && return 0
    sleep 0.1
    tenths=$((tenths - 1))
  done
  return 1
}
