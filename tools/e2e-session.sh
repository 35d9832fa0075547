#!/usr/bin/env bash
# Usage: e2e-session.sh E2E_BUILD_DIR COMMAND...
# The stage for the end-to-end tests: a private Xvfb of 800x600, a Wine
# prefix made fresh for this run under E2E_BUILD_DIR with every program in
# one 800x600 virtual desktop (taskbar and notification area at the bottom),
# linked CJK fonts, a throwaway certificate authority trusted by that prefix
# only, and a recording program as its handler for https addresses. Runs
# COMMAND with all that exported, then stops the Wine server and the display,
# on every exit path. Touches nothing outside E2E_BUILD_DIR and its display.
set -euo pipefail
build=$(realpath -m "$1")
shift
here=$(cd "$(dirname "$0")" && pwd)
driver=$build/e2e_driver.exe
recorder=$build/e2e_recorder.exe
for program in "$driver" "$recorder"; do
  [ -f "$program" ] || { echo "e2e-session.sh: $program is missing; build $build first" >&2; exit 2; }
done

run=$build/run
prefix=$build/wineprefix
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export E2E_RUN=$run E2E_CERTS=$run/certs E2E_OPENED=$run/opened-pages.txt

source "$here/private-display.sh"
start_private_display 161 240 800x600

cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  stop_private_display
}
trap cleanup EXIT

# A fresh prefix every run: the first start of the program must meet a
# fresh account. Made single-threaded, before anything runs in parallel.
echo "e2e-session: making a fresh Wine prefix"
rm -rf "$prefix" "$run" "$build/screenshots" "$build/contact-sheet.png"
mkdir -p "$prefix" "$E2E_CERTS"
wineboot -i >/dev/null 2>&1 || true
wineserver -w
bash "$here/prepare-prefix.sh" >/dev/null 2>&1

# The throwaway certificate authority and the server's certificate for localhost.
(
  cd "$E2E_CERTS"
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Veilux e2e throwaway CA" \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
    -keyout ca.key -out ca.pem 2>/dev/null
  openssl x509 -in ca.pem -outform DER -out ca.der
  openssl req -newkey rsa:2048 -nodes -subj "/CN=localhost" -keyout server.key -out server.csr 2>/dev/null
  printf 'subjectAltName=DNS:localhost,IP:127.0.0.1,IP:::1\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\n' \
    >server.ext
  openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 -extfile server.ext \
    -out server.pem 2>/dev/null
)

# Every program in one virtual desktop; https addresses "open" by being recorded.
recorder_w=$(winepath -w "$recorder" 2>/dev/null)
opened_w=$(winepath -w "$E2E_OPENED" 2>/dev/null)
command_line="\"$recorder_w\" record \"$opened_w\" \"%1\""
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x600 /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Classes\https\shell\open\command' /ve /d "$command_line" /f >/dev/null 2>&1
# Window captions, menus and message boxes use the prefix's system fonts,
# which Wine stores with the Western character set; Windows stores them
# with DEFAULT_CHARSET, so that font linking also covers their Chinese and
# Korean text. Do the same (byte 23 of each LOGFONTW is lfCharSet).
for font in CaptionFont SmCaptionFont MenuFont StatusFont MessageFont IconFont; do
  current=$(wine "$driver" reg get 'Control Panel\Desktop\WindowMetrics' "$font" 2>/dev/null | tr -d '\r')
  hex=${current#TYPE3 }
  [ "$hex" != "$current" ] && [ ${#hex} -ge 48 ] || continue
  wine "$driver" reg set 'Control Panel\Desktop\WindowMetrics' "$font" binary "${hex:0:46}01${hex:48}" >/dev/null 2>&1
done
wine "$driver" trust-ca "$(winepath -w "$E2E_CERTS/ca.der" 2>/dev/null)" >/dev/null 2>&1 ||
  { echo "e2e-session.sh: could not add the test CA to the prefix" >&2; exit 1; }
# Let the server end by itself, which saves the registry; the desktop that
# the steps above started was an ordinary one, the next one is virtual.
wineserver -w

wineserver -p
# Start the desktop and Wine's services now, detached from the tests' output.
# A GUI program brings up the virtual desktop (a console one would not);
# its taskbar shows once the first tray icon is added.
wine "$recorder" windows Shell_TrayWnd </dev/null >/dev/null 2>&1 || true
"$@"
