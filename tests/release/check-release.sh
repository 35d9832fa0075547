#!/usr/bin/env bash
# The signed release, as CI makes it: make dist signs a test release with a
# throwaway certificate (tools/release/make-test-certificate.sh, in a temporary
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
#     its path, signed there through PKCS#11 with the same key on a throwaway
#     SoftHSM2 token, has the same bytes; there, a swapped icon changes the .exe;
#   - veilux.com is signed as veilux.exe is, and both are in the zip and SHA256SUMS;
#   - the winget and Scoop manifests parse and name the zip, its hash and the version;
#     the command alias and Scoop's bin are veilux.com, and Scoop ends a running copy first.
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
tools/release/make-test-certificate.sh "$certs" || exit 1
openssl rand -hex 16 >"$certs/wrong-password"
# The same key on a throwaway token in the temporary folder, never the machine's token store.
export SOFTHSM2_CONF=$certs/softhsm2.conf
mkdir "$certs/tokens" && echo "directories.tokendir = $certs/tokens" >"$SOFTHSM2_CONF"
pin=(--pin "$(openssl rand -hex 16 | tee "$certs/pin")")  # softhsm2-util takes it only so or from a terminal
softhsm2-util --init-token --free --label veilux-test --so-pin "${pin[1]}" "${pin[@]}" >/dev/null &&
  softhsm2-util --import "$certs/signer.p8" --token veilux-test --label signer --id 01 "${pin[@]}" >/dev/null || exit 1
pkcs11=(SIGN_PKCS11_MODULE=/usr/lib/softhsm/libsofthsm2.so SIGN_CERTS="$certs/chain.pem"
        SIGN_KEY="pkcs11:token=veilux-test;object=signer;type=private")
version=$(sed -n 's/^project(Veilux VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
release_url=https://downloads.orvsoftware.example/veilux/v$version/

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

# make dist in folder $1 with password or PIN file $2, its output in $3, signed as the rest says.
signed_dist() {
  (cd "$1" && PATH="$work/shim:$PATH" make dist ALLOW_PLACEHOLDER=1 VEILUX_RELEASE_URL="$release_url" \
     SIGN_PASSWORD_FILE="$2" "${@:4}") >"$3" 2>&1
}
nothing_in_dist() { ! ls dist/veilux.exe dist/veilux.com dist/*.zip dist/SHA256SUMS dist/.staging dist/winget >/dev/null 2>&1; }

stopped_at_sign() { [ "$1" -ne 0 ] && grep -q "failed at step 'sign'" "$2" && nothing_in_dist; }
signed_dist . "$certs/wrong-password" "$work/wrong-pin.log" "${pkcs11[@]}"
check "a wrong PIN stops make dist at sign, with nothing in dist/" stopped_at_sign $? "$work/wrong-pin.log"
signed_dist . "$certs/password" "$work/both.log" SIGN_PKCS12="$certs/signer.p12" "${pkcs11[@]}"
check "both signing routes at once are refused" grep -q "not both" "$work/both.log"
signed_dist . "$certs/wrong-password" "$work/wrong-password.log" SIGN_PKCS12="$certs/signer.p12"
check "a wrong password fails make dist" [ $? -ne 0 ]
check "it fails at the step named sign" grep -q "failed at step 'sign'" "$work/wrong-password.log"
check "it leaves nothing in dist/" nothing_in_dist

started=$(date +%s)
signed_dist . "$certs/password" "$work/signed.log" SIGN_PKCS12="$certs/signer.p12"
status=$?
echo "     signed make dist: $(($(date +%s) - started)) s"
sed -n '/^Made/,$s/^/     /p' "$work/signed.log"
check "make dist signs with the certificate" grep -q "veilux.exe and veilux.com signed by CN=Veilux Test Signer" "$work/signed.log"
[ $status -eq 0 ] || { tail -20 "$work/signed.log"; finish; }

# The working tree as it is (committed or not), without build outputs.
copy="$work/second copy/sources"
mkdir -p "$copy"
git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' file; do
  [ -e "$file" ] && printf '%s\0' "$file"
done | tar --null -T - -cf - | tar -xf - -C "$copy"
signed_dist "$copy" "$certs/pin" "$work/second-copy.log" "${pkcs11[@]}"
check "make dist from a folder with a space in its path" [ $? -eq 0 ]
check "there it signs through PKCS#11" grep -q "signed by CN=Veilux Test Signer through PKCS#11" "$work/second-copy.log"
no_password_shown() {
  grep -q -- "-readpass $certs/password" "$work/arguments.log" &&
    grep -q -- "-readpass $certs/pin" "$work/arguments.log" &&
    ! grep -qF -f "$certs/password" -f "$certs/wrong-password" -f "$certs/pin" \
      "$work"/*.log build/dist.log "$copy/build/dist.log"
}
check "no password or PIN on a command line, in the output or the log" no_password_shown

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
check "osslsigncode verify passes for veilux.com" bash -c \
  'osslsigncode verify -CAfile "$1" -in dist/veilux.com >/dev/null 2>&1' _ "$certs/root.pem"
check "osslsigncode verify fails against another root" \
  bash -c '! osslsigncode verify -CAfile "$1" -in dist/veilux.exe >/dev/null 2>&1' _ "$certs/other.pem"
check "osslsigncode verify passes for the token-signed .exe" bash -c \
  'osslsigncode verify -CAfile "$1" -in "$2" >/dev/null 2>&1' _ "$certs/root.pem" "$copy/dist/veilux.exe"

osslsigncode remove-signature -in dist/veilux.exe -out "$work/signature-removed.exe" >/dev/null 2>&1
check "the signature removed gives the unsigned build's bytes" cmp "$work/signature-removed.exe" build/dist/veilux.exe
zip_holds_signed() {
  (cd dist && sha256sum -c --quiet SHA256SUMS) && grep -q " $1\$" dist/SHA256SUMS &&
    python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))' \
      dist/veilux-*-win64.zip "$1" | cmp - "dist/$1"
}
check "the zip and SHA256SUMS hold the signed .exe" zip_holds_signed veilux.exe
check "the zip and SHA256SUMS hold the signed .com" zip_holds_signed veilux.com
osslsigncode remove-signature -in dist/veilux.com -out "$work/signature-removed.com" >/dev/null 2>&1
check "veilux.com without its signature is the unsigned build" cmp "$work/signature-removed.com" build/dist/veilux.com

# Windows' own reader. Under Wine it checks the digest and the signature but
# not the root; the root is added to the prefix's store anyway, so that the
# same expectations hold on Windows.
cd "$work"
x86_64-w64-mingw32-g++-posix -std=c++20 -Wall -Wextra -Wpedantic -Werror -DUNICODE -D_UNICODE -municode -static -Os \
  -I "$source_dir" "$source_dir/tests/release/verify_trust.cpp" -lwintrust -lcrypt32 -o verify_trust.exe || finish
cp "$source_dir/dist/veilux.exe" signed.exe
cp "$source_dir/dist/veilux.com" signed.com
cp "$copy/dist/veilux.exe" token-signed.exe
cp "$source_dir/build/dist/veilux.exe" unsigned.exe
cp "$certs/root.der" root.der
python3 -c 'import sys; b = bytearray(open(sys.argv[1], "rb").read()); b[4096] ^= 0x01; open(sys.argv[2], "wb").write(b)' \
  signed.exe one-byte-changed.exe
"$source_dir/tools/wine/wine-session.sh" "$source_dir/build/release-check-prefix" \
  wine verify_trust.exe --trust root.der signed.exe signed.com token-signed.exe one-byte-changed.exe unsigned.exe 2>&1 \
  | tr -d '\r' >trust.log
sed 's/^/     | /' trust.log
trust_says() { grep -qx "$1" trust.log; }
check "WinVerifyTrust: 0 for the signed .exe" trust_says "0x00000000 signed.exe"
check "WinVerifyTrust: 0 for the signed .com" trust_says "0x00000000 signed.com"
check "WinVerifyTrust: 0 for the token-signed .exe" trust_says "0x00000000 token-signed.exe"
check "WinVerifyTrust: TRUST_E_BAD_DIGEST after one changed byte" trust_says "0x80096010 one-byte-changed.exe"
check "WinVerifyTrust: TRUST_E_NOSIGNATURE for the unsigned build" trust_says "0x800B0100 unsigned.exe"
cd "$source_dir"

# The second copy's .exe is signed through PKCS#11, the first's with the .pfx: the same key and time.
zip=$(basename dist/veilux-*-win64.zip)
for file in veilux.exe veilux.com "$zip" SHA256SUMS $(cd dist && echo winget/* scoop/*); do
  check "the second copy's $file has the same bytes" cmp "dist/$file" "$copy/dist/$file"
done

# A Python test over w (winget's files by type, first line as "#"), its installer i and x, and Scoop's s.
manifests_hold() {
  python3 - "$1" "$version" "$release_url$zip" "$(sha256sum <"dist/$zip" | cut -d' ' -f1)" <<'PY'
import glob, json, sys, yaml
test, version, url, sha = sys.argv[1:]
w = {d["ManifestType"]: {**d, "#": open(f).readline()}
     for f in glob.glob("dist/winget/*.yaml") for d in [yaml.safe_load(open(f))]}
s, i = json.load(open("dist/scoop/veilux.json")), w["installer"]
s64 = s["architecture"]["64bit"]
x = i["Installers"][0]
sys.exit(not eval(f"({test})"))
PY
}
check "three winget manifests, each with its schema comment" manifests_hold 'sorted(w) == ["defaultLocale",
  "installer", "version"] and all(d["ManifestVersion"] == "1.12.0" and d["#"] ==
  f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{t}.1.12.0.schema.json\n" for t, d in w.items())'
check "every field named is in them" manifests_hold '(i["InstallerType"], i["NestedInstallerType"], x["Architecture"],
  w["version"]["DefaultLocale"], w["defaultLocale"]["PackageLocale"], i["NestedInstallerFiles"]) == ("zip", "portable",
  "x64", "en-US", "en-US", [{"RelativeFilePath": "veilux.com", "PortableCommandAlias": "veilux"}]) and all(
  w["defaultLocale"][k] for k in ("Publisher", "PackageName", "License", "ShortDescription")) and all(s[k] for k in
  "version description homepage license architecture shortcuts checkver autoupdate".split())'
check "Scoop's command is veilux.com, which ends a running copy before an uninstall" manifests_hold 's["bin"] ==
  "veilux.com" and any("veilux.com\" exit" in line for line in s["pre_uninstall"])'
check "Scoop offers the zip to 64-bit Windows only" manifests_hold '"url" not in s and sorted(s["architecture"]) ==
  ["64bit"] and sorted(s["autoupdate"]) == ["architecture"] and sorted(s["autoupdate"]["architecture"]) == ["64bit"]'
check "their hash is the zip's" manifests_hold 'x["InstallerSha256"].lower() == s64["hash"] == sha'
check "their address is the release URL + the zip's name" manifests_hold 'x["InstallerUrl"] == s64["url"] == url'
check "their version is the project's" manifests_hold 'all(d["PackageVersion"] == version for d in w.values())
  and s["version"] == version and s["autoupdate"]["architecture"]["64bit"]["url"].replace("$version", version) == url'

# windres reads the icons without any build tool seeing it: a swapped icon
# must still be in the next build.
before=$(sha256sum <"$copy/build/dist/veilux.exe")
cp "$copy/res/tray_visible.ico" "$copy/res/app.ico"
cmake --build "$copy/build/dist" --target veilux >"$work/icon-swap.log" 2>&1
check "a swapped icon rebuilds the .exe" [ "$before" != "$(sha256sum <"$copy/build/dist/veilux.exe")" ]
finish
