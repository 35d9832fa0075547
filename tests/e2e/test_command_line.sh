#!/usr/bin/env bash
# The command line, through veilux.com as a shell runs it and veilux.exe as a
# shortcut does: status with and without a running copy, a change handed to
# the copy (registry, icon and tooltip follow), a change made by the command
# itself when none runs, exit, and usage errors that show nothing.
source "$(dirname "$0")/common.sh"

COM=$E2E_BIN/veilux.com

# cli PROGRAM WORDS...: sets CLI_STATUS, CLI_OUT and CLI_ERR (without CR).
cli() {
  local program=$1
  shift
  CLI_STATUS=0
  env -u LC_ALL -u LANG WINEDEBUG=-all wine "$program" "$@" >"$WORK/cli.out" 2>"$WORK/cli.err" || CLI_STATUS=$?
  CLI_OUT=$(tr -d '\r' <"$WORK/cli.out")
  CLI_ERR=$(tr -d '\r' <"$WORK/cli.err")
}

status_lines() { printf 'hidden-files: %s\nprotected-files: on\nextensions: %s\ndot-folders: off\nrunning: %s' "$@"; }

fresh_account

echo "-- no copy running"
cli "$COM" status
expect "status exit code" "$CLI_STATUS" 0
expect "status" "$CLI_OUT" "$(status_lines hidden hidden no)"
reg_set "$KEY_EXPLORER" HideFileExt dword 0
cli "$VEILUX" EXTENSIONS off
expect "extensions off exit code" "$CLI_STATUS" 0
expect "extensions off prints" "$CLI_OUT" "extensions: hidden"
expect "HideFileExt" "$(reg_get "$KEY_EXPLORER" HideFileExt)" "REG_DWORD 1"
expect "processes left" "$(drv processes veilux.exe)" 0
cli "$COM" exit
expect "exit with none running" "$CLI_STATUS" 1

echo "-- usage errors"
for words in "bogus" "hidden" "hidden on off" "protected toggle" "status $(printf 'a%.0s' {1..65})"; do
  # shellcheck disable=SC2086 # the words are split on purpose
  cli "$COM" $words
  expect "exit code of '$words'" "$CLI_STATUS" 2
  expect "standard output of '$words'" "$CLI_OUT" ""
  grep -qF 'veilux status [--json]' <<<"$CLI_ERR" || fail "no help on the error stream for '$words'"
done
expect "windows after usage errors" "$(drv windows Veilux | wc -l)" 0
if drv msgbox Veilux 500 >/dev/null; then fail "a usage error showed a message box"; fi

echo "-- a copy running"
start_veilux
wait_main_window || die "no main window after start"
tray_point
wait_ready || die "the program does not answer"
let_start_balloon_pass
mouse_away
screenshot "$WORK/before.png"
picture_before=$(pixels "$WORK/before.png" "$(icon_cell)")
cli "$COM" status
expect "status with a copy" "$CLI_OUT" "$(status_lines hidden hidden yes)"
cli "$COM" hidden toggle
expect "hidden toggle exit code" "$CLI_STATUS" 0
expect "hidden toggle prints" "$CLI_OUT" "hidden-files: shown"
expect "Hidden" "$(reg_get "$KEY_EXPLORER" Hidden)" "REG_DWORD 1"
sleep 0.5
screenshot "$WORK/after.png"
if [ "$(pixels "$WORK/after.png" "$(icon_cell)")" != "$picture_before" ]; then
  echo "ok: the copy's icon changed"
else
  fail "the copy's icon did not change"
fi
expect "the copy's tooltip" "$(hover_tooltip "Hidden and system files: VISIBLE")" "Hidden and system files: VISIBLE"
mouse_away
cli "$VEILUX" status --json
expect "status --json" "$CLI_OUT" \
  '{"hidden-files":"shown","protected-files":"on","extensions":"hidden","dot-folders":"off","running":"yes"}'
cli "$COM" exit
expect "exit exit code" "$CLI_STATUS" 0
wait_exit "$VEILUX_PID" 5
expect "the copy's exit code" "$EXIT_STATUS" 0
cli "$COM" exit
expect "exit once it has ended" "$CLI_STATUS" 1

echo "-- veilux.com with no words starts veilux.exe and returns"
cli "$COM"
expect "exit code" "$CLI_STATUS" 0
wait_main_window || fail "no copy started"
cli "$COM" exit
expect "exit of that copy" "$CLI_STATUS" 0
finish
