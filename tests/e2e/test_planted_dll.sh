#!/usr/bin/env bash
# A urlmon.dll planted beside the .exe (as in a Downloads folder) is never
# loaded, although the start's update check uses urlmon in its helper process,
# started from the same folder: it comes from System32 only.
source "$(dirname "$0")/common.sh"

planted=$WORK/Downloads
mkdir -p "$planted"
cp "$E2E_BIN/fake-urlmon/urlmon.dll" "$VEILUX" "$DRIVER" "$planted/"
marker=$planted/urlmon-loaded.marker
# Wine prefers its own DLLs; this makes it search as Windows does.
overrides="mscoree,mshtml=;urlmon=n,b"

echo "-- the plant works: a program that loads urlmon the ordinary way gets it"
WINEDEBUG=-all WINEDLLOVERRIDES=$overrides wine "$planted/e2e_driver.exe" load-library urlmon.dll >/dev/null 2>&1 || true
[ -e "$marker" ] && echo "ok: the planted DLL is loadable" || die "the planted DLL was not loaded even by a program without protection"
rm -f "$marker"

echo "-- veilux.exe from that folder, with an update check"
serve_version '100\n'
start_server
fresh_account
VEILUX_EXE=$planted/veilux.exe start_veilux WINEDLLOVERRIDES="$overrides"
wait_main_window || die "no main window after start"
wait_ready || die "the program does not answer"
wait_requests 1 15 || true
expect "version file requests (urlmon from System32 did the download)" "$(version_requests)" 1
[ -e "$marker" ] && fail "the planted urlmon.dll was loaded by $(iconv -f utf-16le -t utf-8 "$marker")" || echo "ok: no marker"
close_veilux
expect "exit code after WM_CLOSE" "$EXIT_STATUS" 0
[ -e "$marker" ] && fail "the planted urlmon.dll was loaded at exit" || true
finish
