# The stage for the end-to-end tests, sourced by tools/wine/wine-session.sh
# (--fresh --screen 800x600 --stage tests/e2e/stage.sh BUILD/wineprefix):
# on the fresh prefix, whose programs share one 800x600 virtual desktop
# (taskbar and notification area at the bottom), a throwaway certificate
# authority trusted by that prefix only, and a recording program as its
# handler for https addresses. Exports E2E_RUN, E2E_CERTS and E2E_OPENED for
# the tests. Touches nothing outside the build folder the prefix is in.
build=$(dirname "$WINEPREFIX")
driver=$build/e2e_driver.exe
recorder=$build/e2e_recorder.exe
for program in "$driver" "$recorder"; do
  [ -f "$program" ] || { echo "stage.sh: $program is missing; build $build first" >&2; exit 2; }
done

export E2E_RUN=$build/run
export E2E_CERTS=$E2E_RUN/certs E2E_OPENED=$E2E_RUN/opened-pages.txt
rm -rf "$E2E_RUN" "$build/screenshots" "$build/contact-sheet.png"
mkdir -p "$E2E_CERTS"

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

# https addresses "open" by being recorded.
recorder_w=$(winepath -w "$recorder" 2>/dev/null)
opened_w=$(winepath -w "$E2E_OPENED" 2>/dev/null)
command_line="\"$recorder_w\" record \"$opened_w\" \"%1\""
once_more wine reg add 'HKLM\Software\Classes\https\shell\open\command' /ve /d "$command_line" /f >/dev/null 2>&1
# Window captions, menus and message boxes use the prefix's system fonts,
# which Wine stores with the Western character set; Windows stores them
# with DEFAULT_CHARSET, so that font linking also covers their Chinese and
# Korean text. Do the same (byte 23 of each LOGFONTW is lfCharSet).
for font in CaptionFont SmCaptionFont MenuFont StatusFont MessageFont IconFont; do
  current=$(wine "$driver" reg get 'Control Panel\Desktop\WindowMetrics' "$font" 2>/dev/null | tr -d '\r') || continue
  hex=${current#TYPE3 }
  [ "$hex" != "$current" ] && [ ${#hex} -ge 48 ] || continue
  wine "$driver" reg set 'Control Panel\Desktop\WindowMetrics' "$font" binary "${hex:0:46}01${hex:48}" >/dev/null 2>&1
done
wine "$driver" trust-ca "$(winepath -w "$E2E_CERTS/ca.der" 2>/dev/null)" >/dev/null 2>&1 ||
  { echo "stage.sh: could not add the test CA to the prefix" >&2; exit 1; }

# A GUI program brings up the virtual desktop (a console one would not); its
# taskbar shows once the first tray icon is added.
stage_started() {
  wine "$recorder" windows Shell_TrayWnd </dev/null >/dev/null 2>&1 || true
}
