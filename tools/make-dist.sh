#!/usr/bin/env bash
# make dist: builds the release from a fresh configure and writes
#   dist/veilux.exe, dist/veilux-VERSION-win64.zip, dist/SHA256SUMS.
# Build settings come from the environment under the names of the README's
# table (VEILUX_SITE_HOST, VEILUX_INSTAGRAM_URL, VEILUX_DONATE_HOST,
# VEILUX_DONATE_BUTTON_ID); ALLOW_PLACEHOLDER=1 allows the placeholder values.
# A failed step is named, and dist/ then holds none of the three files.
#
# Signing (Authenticode, SHA-256) with SIGN_PKCS12=FILE (a .p12/.pfx with the
# key and its chain) and SIGN_PASSWORD_FILE=FILE (its password, on the first
# line); SIGN_TIMESTAMP_URL=URL adds an RFC 3161 timestamp. osslsigncode
# reads the password from the file itself, so it is on no command line and in
# no output. The zip and SHA256SUMS are then made from the signed .exe.
set -uo pipefail
# The signing files as given, relative to where make was run.
sign_pkcs12=${SIGN_PKCS12:+$(realpath -m "$SIGN_PKCS12")}
sign_password_file=${SIGN_PASSWORD_FILE:+$(realpath -m "$SIGN_PASSWORD_FILE")}
cd "$(dirname "$0")/.."
build=build/dist
staging=dist/.staging
step=""
fail() { echo "make dist: failed at step '$step'${1:+: $1}" >&2; rm -rf "$staging"; exit 1; }
begin() { step=$1; echo "== $step"; }
trap 'rm -rf "$staging"' EXIT  # also when interrupted

begin "settings"
placeholders=()
[ -z "${VEILUX_SITE_HOST:-}" ] || [ "$VEILUX_SITE_HOST" = orvsoftware.example ] && placeholders+=(VEILUX_SITE_HOST)
[ -z "${VEILUX_INSTAGRAM_URL:-}" ] || [[ "$VEILUX_INSTAGRAM_URL" == *placeholder* ]] && placeholders+=(VEILUX_INSTAGRAM_URL)
[ -z "${VEILUX_DONATE_BUTTON_ID:-}" ] || [[ "$VEILUX_DONATE_BUTTON_ID" == PLACEHOLDER* ]] && placeholders+=(VEILUX_DONATE_BUTTON_ID)
if [ ${#placeholders[@]} -gt 0 ] && [ "${ALLOW_PLACEHOLDER:-0}" != 1 ]; then
  echo "make dist: refusing to release with placeholder ${placeholders[*]}: give the real values" \
       "(make dist VEILUX_SITE_HOST=www.example.com ...) or ALLOW_PLACEHOLDER=1 for a test release" >&2
  exit 1
fi
settings=()
for name in VEILUX_SITE_HOST VEILUX_INSTAGRAM_URL VEILUX_DONATE_HOST VEILUX_DONATE_BUTTON_ID; do
  [ -n "${!name:-}" ] && settings+=("-D$name=${!name}")
done
[ ${#placeholders[@]} -gt 0 ] && echo "placeholder settings allowed: ${placeholders[*]}"
if [ -z "$sign_pkcs12" ] && { [ -n "$sign_password_file" ] || [ -n "${SIGN_TIMESTAMP_URL:-}" ]; }; then
  echo "make dist: SIGN_PASSWORD_FILE and SIGN_TIMESTAMP_URL need SIGN_PKCS12, the certificate to sign with" >&2
  exit 1
fi
if [ -n "$sign_pkcs12" ] && [ -z "$sign_password_file" ]; then
  echo "make dist: SIGN_PKCS12 needs SIGN_PASSWORD_FILE, a file holding the certificate's password" >&2
  exit 1
fi

# Nothing from an earlier release stays behind to look like this one.
rm -rf "$staging" dist/veilux.exe dist/veilux-*-win64.zip dist/SHA256SUMS
# The PE time stamp and the zip's dates: the last commit's time.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || echo 0)
export SOURCE_DATE_EPOCH

begin "configure"
rm -rf "$build"
mkdir -p build
cmake --preset dist "${settings[@]}" >"$build.log" 2>&1 || { cat "$build.log"; fail; }

begin "build"
cmake --build --preset dist -j"${JOBS:-2}" >>"$build.log" 2>&1 || { tail -30 "$build.log"; fail; }

begin "check"
tools/check-executables.sh "$build/veilux.exe" || fail "hardening"
size=$(stat -c %s "$build/veilux.exe")
[ "$size" -le $((200 * 1024)) ] || fail "veilux.exe is $size bytes, more than 200 KiB"
version=$(sed -n 's/^#define VEILUX_VERSION_\(MAJOR\|MINOR\|PATCH\) //p' "$build/generated/veilux_version.h" | paste -sd.)
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "no version in $build/generated/veilux_version.h"

release_exe=$build/veilux.exe
signature="unsigned (give SIGN_PKCS12 and SIGN_PASSWORD_FILE to sign it; see README)"
if [ -n "$sign_pkcs12" ]; then
  begin "sign"
  # Description and address shown in Windows' "Open File - Security Warning"
  # and the signature's details: the product's name and its home page, the
  # address the program itself forms (ProductHomeUrl, app/web_endpoints.cpp).
  product=$(sed -n 's/^CMAKE_PROJECT_NAME:[A-Z]*=//p' "$build/CMakeCache.txt")
  host=$(sed -n 's/^VEILUX_SITE_HOST:[A-Z]*=//p' "$build/CMakeCache.txt")
  # The signing time is the last commit's, like the PE time stamp: the same
  # sources, certificate and key give the same signed bytes.
  sign=(osslsigncode sign -pkcs12 "$sign_pkcs12" -readpass "$sign_password_file" -h sha256
        -n "$product" -i "https://$host/vx" -time "$SOURCE_DATE_EPOCH")
  [ -n "${SIGN_TIMESTAMP_URL:-}" ] && sign+=(-ts "$SIGN_TIMESTAMP_URL")
  release_exe=$build/veilux-signed.exe
  rm -f "$release_exe"
  started=$(date +%s%N)
  "${sign[@]}" -in "$build/veilux.exe" -out "$release_exe" >>"$build.log" 2>&1 \
    || { tail -5 "$build.log"; fail "cannot sign with $sign_pkcs12 (unreadable certificate or wrong password?)"; }
  took=$((($(date +%s%N) - started) / 1000000))
  # Whose signature it is, for the summary (a certificate that OpenSSL 3 reads
  # only with its legacy ciphers is still signed; its name is then left out).
  signer=$(openssl pkcs12 -in "$sign_pkcs12" -passin "file:$sign_password_file" -nokeys -clcerts 2>/dev/null \
           | openssl x509 -noout -subject -nameopt RFC2253 2>/dev/null | sed 's/^subject=//')
  signature="signed${signer:+ by $signer}: Authenticode SHA-256, signing time"
  signature+=" $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC'), "
  signature+=${SIGN_TIMESTAMP_URL:+"timestamped by $SIGN_TIMESTAMP_URL"}
  [ -n "${SIGN_TIMESTAMP_URL:-}" ] || signature+="not timestamped (valid until the certificate expires)"
  signature+="; signing took $took ms"
fi

begin "package"
python3 tools/pack-release.py "$release_exe" docs/user-readme.txt "$version" "$SOURCE_DATE_EPOCH" "$staging" \
  || fail
(cd "$staging" && sha256sum -c --quiet SHA256SUMS) || fail "checksums"
# Into place one by one, the checksum file last: it marks a complete release.
mv "$staging/veilux.exe" "$staging/veilux-$version-win64.zip" dist/ && mv "$staging/SHA256SUMS" dist/ || fail
rmdir "$staging"

echo "Made, from $(git rev-parse --short HEAD 2>/dev/null || echo 'these sources'):"
echo "  veilux.exe $signature"
for file in dist/veilux.exe "dist/veilux-$version-win64.zip" dist/SHA256SUMS; do
  printf '  %-28s %8d bytes\n' "$file" "$(stat -c %s "$file")"
done
sed 's/^/  /' dist/SHA256SUMS
