#!/usr/bin/env bash
# "Treat dot folders as hidden": the profile's dot folders (not a file), also one made or renamed later; off from
# the menu; then 20,000 in a listed place while the window answers; WM_CLOSE midway; the next start marks the rest.
source "$(dirname "$0")/common.sh"

PROFILE=$WINEPREFIX/drive_c/users/$(id -un)
PROFILE_W=$(winepath -w "$PROFILE" 2>/dev/null)
DOTS=$WINEPREFIX/drive_c/e2e-dots
DOT_COUNT=20000

# The test's own hidden names in the profile, sorted, on one line.
hidden_names() { drv hidden "$PROFILE_W" | awk '/^\.?e2e/' | sort | tr '\n' ' '; }
is_hidden() { drv hidden "$PROFILE_W" | grep -qxF "$1"; }
hidden_count() { drv hidden 'C:\e2e-dots' | wc -l; }
some_marked() { [ "$(hidden_count)" -gt 0 ]; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
toggle() { drv post Veilux $WM_COMMAND 1009 0; }
start_ready() { start_veilux && wait_main_window && wait_ready || die "the program does not answer after start"; }
# follows NAME COMMAND...: after COMMAND, the profile's NAME is hidden within 2 s.
follows() {
  local name=$1 start took
  shift && "$@" && start=$(now_ms)
  wait_for 5 is_hidden "$name" || true
  took=$(($(now_ms) - start))
  [ "$took" -le 2000 ] && echo "ok: $name hidden after $took ms" || fail "$name hidden after $took ms"
}

rm -rf "$PROFILE"/.e2e-* "$PROFILE"/e2e-* "$DOTS"
fresh_account
mkdir "$PROFILE/.e2e-ssh" "$PROFILE/e2e-plain" "$PROFILE/e2e-later"
touch "$PROFILE/.e2e-rc"
start_ready
tray_point
sleep 1
expect "off at first: nothing marked" "$(hidden_names)" ""
toggle
expect "on: the dot folder is hidden" "$(wait_output 5 ".e2e-ssh " hidden_names)" ".e2e-ssh "
follows .e2e-made mkdir "$PROFILE/.e2e-made"
follows .e2e-renamed mv "$PROFILE/e2e-later" "$PROFILE/.e2e-renamed"
open_menu || die "no menu"
wait_menu_built 1 || die "no menu in Wine's trace"
expect "the item is checked" "$(menu_items | sed -n 3p)" "1009 1 0 Treat dot folders as hidden"
choose_item 3
expect "off from the menu: all shown again" "$(wait_output 5 "" hidden_names)" ""
mkdir "$PROFILE/.e2e-off"
sleep 2.5
expect "while off, nothing is watched" "$(hidden_names)" ""

mkdir "$DOTS"
python3 -c "import os; [os.mkdir(os.path.join('$DOTS', '.d%05d' % i)) for i in range($DOT_COUNT)]"
WINEDEBUG=-all wine reg add 'HKCU\Software\Veilux' /v DotFolderPlaces /t REG_MULTI_SZ /d 'C:\e2e-dots' /f >/dev/null 2>&1 ||
  die "cannot list the place"
toggle
start=$(now_ms) slowest=0
while :; do
  answer=$(drv ping Veilux 5000) || answer=5000
  [ "$answer" -gt "$slowest" ] && slowest=$answer
  count=$(hidden_count)
  [ "$count" -ge "$DOT_COUNT" ] || [ $(($(now_ms) - start)) -ge 60000 ] && break
done
took=$(($(now_ms) - start))
expect "all $DOT_COUNT marked" "$count" "$DOT_COUNT"
[ "$took" -le 10000 ] && echo "ok: all marked after $took ms" || fail "marking took $took ms"
[ "$slowest" -le 1000 ] && echo "ok: the window answered within $slowest ms" || fail "the window took $slowest ms"
toggle
expect "all shown again" "$(wait_output 60 0 hidden_count)" 0
toggle
wait_for 10 some_marked || note "no folder marked yet when closing"
start=$(now_ms)
close_veilux
took=$(($(now_ms) - start)) count=$(hidden_count)
note "WM_CLOSE ended the program after $took ms, with $count marked"
[ "$took" -le 2000 ] && [ "$count" -lt "$DOT_COUNT" ] && echo "ok: ended midway" || fail "WM_CLOSE waited for the marking"
expect "exit code after WM_CLOSE midway" "$EXIT_STATUS" 0
start_ready
expect "the next start marks the rest" "$(wait_output 30 "$DOT_COUNT" hidden_count)" "$DOT_COUNT"
toggle  # a mark missing from the record would stay now
expect "off: all shown again" "$(wait_output 30 0 hidden_count)" 0
expect "nothing left in the profile" "$(hidden_names)" ""
close_veilux
expect "exit code" "$EXIT_STATUS" 0
drv reg delete "$KEY_PROGRAM" DotFolderPlaces
rm -rf "$PROFILE"/.e2e-* "$PROFILE"/e2e-* "$DOTS"
finish
