#!/usr/bin/env bash
# "Treat dot folders as hidden": turned on, the profile's dot folders get the
# hidden attribute (never a file, never one hidden before); a folder made or
# renamed to a dot name from outside follows within 2 s; the user's own
# un-hiding holds; turned off from the menu, exactly the program's marks go
# and nothing is watched. Then 20,000 dot folders in a listed place: the
# window answers within 1 s while they are marked, all are marked within
# 10 s, and an Exit in the middle is quick and leaves the record true.
source "$(dirname "$0")/common.sh"

IDM_TOGGLE_DOT_FOLDERS=1009
PROFILE=$WINEPREFIX/drive_c/users/$(id -un)
PROFILE_W=$(winepath -w "$PROFILE" 2>/dev/null)
DOTS=$WINEPREFIX/drive_c/e2e-dots
DOTS_W='C:\e2e-dots'
DOT_COUNT=20000

# The test's own hidden names in the profile, sorted, on one line.
hidden_names() { drv hidden "$PROFILE_W" | grep '^\.\?e2e' | sort | tr '\n' ' '; }
is_hidden() { drv hidden "$1" | grep -qxF "$2"; }
hidden_count() { drv hidden "$DOTS_W" | wc -l; }
some_marked() { [ "$(hidden_count)" -gt 0 ]; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# The record's entries in the place of the 20,000.
recorded_dots() { reg_get "$KEY_PROGRAM" MarkedDotFolders | grep -cF "$DOTS_W\\" || true; }

# wait_hidden FOLDER NAME: until NAME in FOLDER is hidden, at most 5 s; prints the milliseconds it took.
wait_hidden() {
  local start
  start=$(now_ms)
  until is_hidden "$1" "$2"; do
    [ $(($(now_ms) - start)) -lt 5000 ] || break
    sleep 0.05
  done
  echo $(($(now_ms) - start))
}

toggle() { drv post Veilux $WM_COMMAND $IDM_TOGGLE_DOT_FOLDERS 0; }

cleanup_folders() {
  rm -rf "$PROFILE"/.e2e-* "$PROFILE"/e2e-* "$DOTS"
}
cleanup_folders
fresh_account
mkdir "$PROFILE/.e2e-ssh" "$PROFILE/.e2e-cache" "$PROFILE/.e2e-git" "$PROFILE/e2e-plain" "$PROFILE/e2e-later"
touch "$PROFILE/.e2e-rc"
drv attrib "$PROFILE_W\\.e2e-git" +h || die "cannot hide .e2e-git"
expect "before the start, only .e2e-git is hidden" "$(hidden_names)" ".e2e-git "

start_veilux
wait_main_window || die "no main window after start"
tray_point
wait_ready || die "the program does not answer after start"
sleep 1
expect "off at first: nothing marked" "$(hidden_names)" ".e2e-git "

echo "-- turned on"
toggle
expect "DotFoldersHidden" "$(wait_reg "$KEY_PROGRAM" DotFoldersHidden "REG_DWORD 1")" "REG_DWORD 1"
expect "the profile's dot folders are hidden, not the file" \
  "$(wait_output 5 ".e2e-cache .e2e-git .e2e-ssh " hidden_names)" ".e2e-cache .e2e-git .e2e-ssh "
expect "the record names the two marked, not .e2e-git" \
  "$(reg_get "$KEY_PROGRAM" MarkedDotFolders | grep -F e2e | sort | tr '\n' ' ')" \
  "$PROFILE_W\\.e2e-cache $PROFILE_W\\.e2e-ssh "
open_menu || die "no menu"
wait_menu_built 1 || die "no menu in Wine's trace"
expect "the item is checked" "$(menu_items | sed -n 3p)" "1009 1 0 Treat dot folders as hidden"
close_menu

echo "-- made and renamed from outside"
mkdir "$PROFILE/.e2e-new"
made_ms=$(wait_hidden "$PROFILE_W" .e2e-new)
note "a new dot folder was hidden after $made_ms ms"
[ "$made_ms" -le 2000 ] && echo "ok: a new dot folder follows within 2 s" || fail "a new dot folder took $made_ms ms"
mv "$PROFILE/e2e-later" "$PROFILE/.e2e-renamed"
renamed_ms=$(wait_hidden "$PROFILE_W" .e2e-renamed)
note "a renamed folder was hidden after $renamed_ms ms"
[ "$renamed_ms" -le 2000 ] && echo "ok: a renamed folder follows within 2 s" || fail "a renamed one took $renamed_ms ms"

echo "-- the user shows one again"
drv attrib "$PROFILE_W\\.e2e-cache" -h || die "cannot show .e2e-cache"
mkdir "$PROFILE/.e2e-another"  # the next pass
wait_hidden "$PROFILE_W" .e2e-another >/dev/null
expect "shown by the user, it stays shown" "$(hidden_names)" ".e2e-another .e2e-git .e2e-new .e2e-renamed .e2e-ssh "

echo "-- turned off from the menu"
open_menu || die "no second menu"
wait_menu_built 2 || die "the second menu is not in Wine's trace"
choose_item 3
expect "DotFoldersHidden" "$(wait_reg "$KEY_PROGRAM" DotFoldersHidden "REG_DWORD 0")" "REG_DWORD 0"
expect "exactly the program's marks are gone" "$(wait_output 5 ".e2e-git " hidden_names)" ".e2e-git "
expect "the record is emptied" "$(wait_reg "$KEY_PROGRAM" MarkedDotFolders absent)" "absent"
mkdir "$PROFILE/.e2e-off"
sleep 2.5
expect "while off, nothing is watched" "$(hidden_names)" ".e2e-git "

echo "-- $DOT_COUNT dot folders in a listed place"
mkdir "$DOTS"
python3 -c "import os; [os.mkdir(os.path.join('$DOTS', '.d%05d' % i)) for i in range($DOT_COUNT)]"
reg_set "$KEY_PROGRAM" DotFolderPlaces multi "$DOTS_W"
toggle
start=$(now_ms)
slowest=0 count=0
while :; do
  answer=$(drv ping Veilux 5000) || answer=5000
  [ "$answer" -gt "$slowest" ] && slowest=$answer
  count=$(hidden_count)
  [ "$count" -ge "$DOT_COUNT" ] && break
  [ $(($(now_ms) - start)) -lt 60000 ] || break
done
took=$(($(now_ms) - start))
note "$count of $DOT_COUNT marked after $took ms; the window answered a sent message within $slowest ms at worst"
expect "all marked" "$count" "$DOT_COUNT"
[ "$took" -le 10000 ] && echo "ok: all marked within 10 s" || fail "marking took $took ms"
[ "$slowest" -le 1000 ] && echo "ok: the window answered within 1 s" || fail "the window took $slowest ms to answer"

echo "-- off, then on again and Exit in the middle"
toggle
start=$(now_ms)
wait_output 60 0 hidden_count >/dev/null
note "all shown again after $(($(now_ms) - start)) ms"
expect "all shown again" "$(hidden_count)" 0
expect "the record is emptied" "$(wait_reg "$KEY_PROGRAM" MarkedDotFolders absent 10)" "absent"
toggle
wait_for 10 some_marked || note "no folder marked yet when closing"
start=$(now_ms)
close_veilux
note "WM_CLOSE in the middle of marking: the program ended after $(($(now_ms) - start)) ms"
expect "exit code after WM_CLOSE" "$EXIT_STATUS" 0
marked=$(hidden_count)
note "$marked folders were marked when it ended"
expect "the record names exactly the folders marked" "$(recorded_dots)" "$marked"

echo "-- the next start finishes the marking"
start_veilux
wait_main_window || die "no main window after the second start"
wait_ready || die "the program does not answer after the second start"
expect "all marked after the start" "$(wait_output 30 "$DOT_COUNT" hidden_count)" "$DOT_COUNT"
toggle
expect "all shown again" "$(wait_output 30 0 hidden_count)" 0
expect "nothing left of the profile's marks" "$(hidden_names)" ".e2e-git "
close_veilux
expect "exit code" "$EXIT_STATUS" 0
drv reg delete "$KEY_PROGRAM" DotFolderPlaces
cleanup_folders
finish
