#!/usr/bin/env bash
# The bench: veilux.exe against the least a tray program can do, run in turn
# in the end-to-end stage (tests/e2e/stage.sh), written to a table.
#
#   run_bench.sh          the full run (make bench): build/bench/results.md
#   run_bench.sh --quick  one start, ten toggles, one second idle: checks that
#                         the bench still works (make test), not the timings
#
# The program is built for a loopback website on E2E_PORT. Nothing listens
# there for the main figures, so its update check fails at once, as with no
# network; one more series has the site up, answering "100".
source "$(dirname "$0")/../tests/e2e/common.sh"

quick=0
[ "${1:-}" = --quick ] && quick=1
if [ "$quick" = 1 ]; then
  warmup=0 pairs=1 footprints=1 toggle_warmup=10 toggles=10 idle=1
  results=$WORK/results.md
else
  warmup=1 pairs=${BENCH_PAIRS:-10} footprints=${BENCH_FOOTPRINTS:-5} toggle_warmup=100 toggles=${BENCH_TOGGLES:-1000} idle=${BENCH_IDLE:-60}
  results=$E2E_BIN/results.md
fi
# Windows closes a settled program: WM_CLOSE goes out this long after the
# window first answered. The "right after" series posts it at once.
settle_ms=300
# The update check runs beside the user, so its request may come after the
# first answer; with the site up, WM_CLOSE waits until every start has surely
# fetched the file (only start-to-ready is reported for that series).
site_settle_ms=2000

BENCH_DRIVER=$E2E_BIN/bench_driver.exe
FLOOR=$E2E_BIN/floor_tray.exe
RAW=$WORK/raw.tsv
for program in "$BENCH_DRIVER" "$FLOOR" "$VEILUX"; do
  [ -f "$program" ] || die "$program is missing: build the e2e_programs target first"
done
win_path() { winepath -w "$1" 2>/dev/null; }
veilux_w=$(win_path "$VEILUX")
floor_w=$(win_path "$FLOOR")

# bench ARGUMENTS...: the driver's lines go to the raw file and the terminal.
# Into a file, not a pipe: a veilux.exe that the driver leaves running holds
# its output open, and a pipe would never end.
bench() {
  local status=0
  WINEDEBUG=-all wine "$BENCH_DRIVER" "$@" >"$WORK/driver.out" 2>"$WORK/driver.err" || status=$?
  tr -d '\r' <"$WORK/driver.out" | tee -a "$RAW"
  [ "$status" = 0 ] || die "bench_driver $1 failed: $(cat "$WORK/driver.err")"
}

# Something else on the port (another worktree's tests, on a shared machine)
# would change what the update check does: the figures would be wrong, but
# the quick mode checks only that the bench works.
check_nothing_listens() {
  ! (exec 3<>"/dev/tcp/127.0.0.1/$E2E_PORT") 2>/dev/null && return 0
  [ "$quick" = 1 ] && { note "something listens on port $E2E_PORT"; return 0; }
  die "something listens on port $E2E_PORT: the update check would not fail at once"
}

: >"$RAW"
{
  printf 'machine\tdate\t%s\n' "$(date -u '+%Y-%m-%d %H:%M UTC')"
  printf 'machine\tcpu\t%s\n' "$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)"
  printf 'machine\tcores\t%s\n' "$(nproc)"
  printf 'machine\tos\t%s\n' "$(. /etc/os-release && echo "$PRETTY_NAME")"
  printf 'machine\twine\t%s\n' "$(wine --version 2>/dev/null)"
  printf 'machine\tload before\t%s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
} >>"$RAW"
printf 'settle\t%s\n' "$settle_ms" >>"$RAW"
began=$SECONDS

drv reg delete "$KEY_PROGRAM" || true
check_nothing_listens
echo "-- start and close, nothing listening on port $E2E_PORT"
bench starts start "$warmup" "$pairs" "$settle_ms" "$veilux_w" "$floor_w"
echo "-- the same, WM_CLOSE right after the first answer"
bench starts right_after "$warmup" "$pairs" 0 "$veilux_w" "$floor_w"

echo "-- memory 3 s after ready, nothing listening"
bench footprint "$footprints" "$veilux_w" "$floor_w"

echo "-- start and close, the site up and answering 100"
serve_version '100\n'
start_server
bench starts site "$warmup" "$pairs" "$site_settle_ms" "$veilux_w" "$floor_w"
stop_server
expect "version file requests while the site was up" "$(version_requests)" "$((warmup + pairs))"

# The Linux process that runs this prefix's veilux.exe.
veilux_unix_pid() {
  local comm pid
  for comm in /proc/[0-9]*/comm; do
    [ "$(cat "$comm" 2>/dev/null)" = veilux.exe ] || continue
    pid=${comm#/proc/}
    pid=${pid%/comm}
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && { echo "$pid"; return 0; }
  done
  return 1
}
# "TID RUN_NS TIMESLICES", one line per thread of a Linux process.
thread_stats() {
  local stat tid
  for stat in /proc/"$1"/task/*/schedstat; do
    tid=${stat%/schedstat}
    echo "${tid##*/} $(cut -d' ' -f1,3 "$stat")"
  done
}
# "RUN_NS TIMESLICES THREADS ENDED" between two thread_stats files: the
# threads alive in both, and how many of the first ended in between.
thread_deltas() {
  awk 'NR == FNR { ns[$1] = $2; n[$1] = $3; next }
       ($1 in ns) { dns += $2 - ns[$1]; dn += $3 - n[$1]; kept++; delete ns[$1] }
       END { ended = 0; for (t in ns) ended++; printf "%.0f %d %d %d\n", dns, dn, kept, ended }' "$1" "$2"
}

# The idle minute follows presses, not only a start: a thread that a press
# leaves running shows in it.
echo "-- $toggles toggles after $toggle_warmup, then $idle s idle"
check_nothing_listens
bench toggles "$toggle_warmup" "$toggles" "$veilux_w" >/dev/null
grep '^memory' "$RAW"
# Anything the last toggle set off has a moment to end; then nothing happens.
sleep 2
unix_pid=$(veilux_unix_pid) || die "cannot find the Linux process of veilux.exe"
thread_stats "$unix_pid" >"$WORK/threads-before"
bench idle "$idle"
thread_stats "$unix_pid" >"$WORK/threads-after"
# A process that has started and toggled has run: none means the wrong process.
[ "$(awk '{ ns += $2 } END { print (ns > 0) }' "$WORK/threads-after")" = 1 ] ||
  die "Linux counts no run time for process $unix_pid"
printf 'linux\t%s\t%s\n' "$idle" "$(thread_deltas "$WORK/threads-before" "$WORK/threads-after" | tr ' ' '\t')" |
  tee -a "$RAW"
bench close

# The release .exe: make dist's when there is one, else the build's, stripped.
strip_copy() { x86_64-w64-mingw32-strip -o "$2" "$1"; }
release=$E2E_SOURCE/dist/veilux.exe
if [ -f "$release" ]; then
  release_note="dist/veilux.exe"
else
  strip_copy "$VEILUX" "$WORK/veilux.exe"
  release=$WORK/veilux.exe release_note="the Release build, stripped"
fi
strip_copy "$FLOOR" "$WORK/floor_tray.exe"
printf 'size\tveilux\t%s\t%s\n' "$(stat -c %s "$release")" "$release_note" >>"$RAW"
printf 'size\tfloor\t%s\t%s\n' "$(stat -c %s "$WORK/floor_tray.exe")" "floor_tray.exe, stripped" >>"$RAW"
printf 'machine\tload after\t%s\n' "$(cut -d' ' -f1-3 /proc/loadavg)" >>"$RAW"
printf 'machine\tbench seconds\t%s\n' "$((SECONDS - began))" >>"$RAW"

mode=full
[ "$quick" = 1 ] && mode=quick
python3 "$E2E_SOURCE/bench/report.py" --mode "$mode" "$RAW" "$results" ||
  fail "the report could not be made from $RAW"
echo "raw figures: $RAW"
echo "table: $results"
finish
