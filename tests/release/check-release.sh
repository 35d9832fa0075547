#!/usr/bin/env bash
# The signed release, as CI makes it: make dist signs a test release with a
# throwaway certificate (tools/make-test-certificate.sh, in a temporary
# folder), and then
#   - a wrong password stops make dist at "sign", with nothing in dist/;
#   - no password is on a command line (osslsigncode's and openssl's
#     arguments are recorded), in the output or in the build log;
#   - osslsigncode verify passes against the throwaway root, not another;
#   - Windows' WinVerifyTrust, under Wine, accepts the signed .exe, finds the
#     bad digest after one changed byte and no signature on the unsigned build;
#   - the signature removed gives back the unsigned build's bytes, and the zip
#     and SHA256SUMS hold the signed .exe;
#   - the same release from a copy of the sources in a folder with a space in
#     its path has the same bytes; there, a swapped icon changes the .exe.
# Ends with "release: N passed, N failed"; exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/../.."
source_dir=$PWD
tools/install-deps.sh || exit 1
work=$source_dir/build/release-check
rm -rf "$work"
mkdir -p "$work/shim"
certs=$(mktemp -d)
trap 'rm -rf "$certs"' EXIT
tools/make-test-certificate.sh "$certs" || exit 1
openssl rand -hex 16 >"$certs/wrong-password"

passed=0 failed=0
check() {
  local name=$1
  shift
  if "$@"; then echo "ok   $name"; passed=$((passed + 1)); else echo "FAIL $name"; failed=$((failed + 1)); fi
}
finish() {
  echo "release: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

# What ps would show of the two programs that open the certificate.
for tool in osslsigncode openssl; do
  printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\nexec "%s" "$@"\n' "$work/arguments.log" "$(command -v $tool)" \
    >"$work/shim/$tool"
  chmod +x "$work/shim/$tool"
done

# make dist in folder $1 with password file $2, its output in $3.
signed_dist() {
  (cd "$1" && PATH="$work/shim:$PATH" make dist ALLOW_PLACEHOLDER=1 SIGN_PKCS12="$certs/signer.p12" \
     SIGN_PASSWORD_FILE="$2") >"$3" 2>&1
}
nothing_in_dist() { ! ls dist/veilux.exe dist/*.zip dist/SHA256SUMS dist/.staging >/dev/null 2>&1; }

signed_dist . "$certs/wrong-password" "$work/wrong-password.log"
check "a wrong password fails make dist" [ $? -ne 0 ]
check "it fails at the step named sign" grep -q "failed at step 'sign'" "$work/wrong-password.log"
check "it leaves nothing in dist/" nothing_in_dist

started=$(date +%s)
signed_dist . "$certs/password" "$work/signed.log"
status=$?
echo "     signed make dist: $(($(date +%s) - started)) s"
sed -n '/^Made/,$s/^/     /p' "$work/signed.log"
check "make dist signs with the certificate" grep -q "veilux.exe signed by CN=Veilux Test Signer" "$work/signed.log"
[ $status -eq 0 ] || { tail -20 "$work/signed.log"; finish; }
no_password_shown() {
  grep -q -- "-readpass $certs/password" "$work/arguments.log" &&
    ! grep -qF -f "$certs/password" -f "$certs/wrong-password" \
      "$work/arguments.log" "$work/wrong-password.log" "$work/signed.log" build/dist.log
}
check "no password on a command line, in the output or the log" no_password_shown

host=$(sed -n 's/^VEILUX_SITE_HOST:[A-Z]*=//p' build/dist/CMakeCache.txt)
osslsigncode verify -CAfile "$certs/root.pem" -in dist/veilux.exe >"$work/verify.log" 2>&1
check "osslsigncode verify passes against the throwaway root" [ $? -eq 0 ]
sed 's/^/     | /' "$work/verify.log"
verify_says() { grep -qF "$1" "$work/verify.log"; }
check "the signature is SHA-256" verify_says "Message digest algorithm  : SHA256"
check "its description is the product name" verify_says "Text description: Veilux"
check "its address is the product home page" verify_says "URL description: https://$host/vx"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$certs/other.key" -out "$certs/other.pem" -days 1 \
  -subj "/CN=Another Root" 2>/dev/null
check "osslsigncode verify fails against another root" \
  bash -c '! osslsigncode verify -CAfile "$1" -in dist/veilux.exe >/dev/null 2>&1' _ "$certs/other.pem"

osslsigncode remove-signature -in dist/veilux.exe -out "$work/signature-removed.exe" >/dev/null 2>&1
check "the signature removed gives the unsigned build's bytes" cmp "$work/signature-removed.exe" build/dist/veilux.exe
zip_holds_signed_exe() {
  (cd dist && sha256sum -c --quiet SHA256SUMS) &&
    python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read("veilux.exe"))' \
      dist/veilux-*-win64.zip | cmp - dist/veilux.exe
}
check "the zip and SHA256SUMS hold the signed .exe" zip_holds_signed_exe

# Windows' own reader. Under Wine it checks the digest and the signature but
# not the root; the root is added to the prefix's store anyway, so that the
# same expectations hold on Windows.
cd "$work"
x86_64-w64-mingw32-g++-posix -std=c++20 -Wall -Wextra -Wpedantic -Werror -DUNICODE -D_UNICODE -municode -static -Os \
  -I "$source_dir" "$source_dir/tests/release/verify_trust.cpp" -lwintrust -lcrypt32 -o verify_trust.exe || finish
cp "$source_dir/dist/veilux.exe" signed.exe
cp "$source_dir/build/dist/veilux.exe" unsigned.exe
cp "$certs/root.der" root.der
python3 -c 'import sys; b = bytearray(open(sys.argv[1], "rb").read()); b[4096] ^= 0x01; open(sys.argv[2], "wb").write(b)' \
  signed.exe one-byte-changed.exe
"$source_dir/tools/wine-session.sh" "$source_dir/build/release-check-prefix" \
  wine verify_trust.exe --trust root.der signed.exe one-byte-changed.exe unsigned.exe 2>&1 | tr -d '\r' >trust.log
sed 's/^/     | /' trust.log
trust_says() { grep -qx "$1" trust.log; }
check "WinVerifyTrust: 0 for the signed .exe" trust_says "0x00000000 signed.exe"
check "WinVerifyTrust: TRUST_E_BAD_DIGEST after one changed byte" trust_says "0x80096010 one-byte-changed.exe"
check "WinVerifyTrust: TRUST_E_NOSIGNATURE for the unsigned build" trust_says "0x800B0100 unsigned.exe"
cd "$source_dir"

# The working tree as it is (committed or not), without build outputs.
copy="$work/second copy/sources"
mkdir -p "$copy"
git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' file; do
  [ -e "$file" ] && printf '%s\0' "$file"
done | tar --null -T - -cf - | tar -xf - -C "$copy"
signed_dist "$copy" "$certs/password" "$work/second-copy.log"
check "make dist from a folder with a space in its path" [ $? -eq 0 ]
for file in veilux.exe "$(basename dist/veilux-*-win64.zip)" SHA256SUMS; do
  check "the second copy's $file has the same bytes" cmp "dist/$file" "$copy/dist/$file"
done

# windres reads the icons without any build tool seeing it: a swapped icon
# must still be in the next build.
before=$(sha256sum <"$copy/build/dist/veilux.exe")
cp "$copy/res/tray_visible.ico" "$copy/res/app.ico"
cmake --build "$copy/build/dist" --target veilux >"$work/icon-swap.log" 2>&1
check "a swapped icon rebuilds the .exe" [ "$before" != "$(sha256sum <"$copy/build/dist/veilux.exe")" ]
finish
