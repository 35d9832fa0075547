#!/usr/bin/env bash
# make dist: builds the release from a fresh configure and writes
#   dist/veilux.exe, dist/veilux.com, dist/veilux-VERSION-win64.zip, dist/SHA256SUMS and, with
#   VEILUX_RELEASE_URL, the manifests dist/winget/*.yaml, dist/scoop/veilux.json.
# Build settings come from the environment under the names of the README's
# table (VEILUX_SITE_HOST, VEILUX_INSTAGRAM_URL, ..., VEILUX_RELEASE_URL);
# ALLOW_PLACEHOLDER=1 allows the placeholder values.
# A failed step is named, and dist/ then holds none of the release's files.
#
# Signing (Authenticode, SHA-256), by one of two routes:
#   SIGN_PKCS12=FILE (a .p12/.pfx with the key and its chain) and
#   SIGN_PASSWORD_FILE=FILE (its password, on the first line); or
#   SIGN_PKCS11_MODULE=LIBRARY, SIGN_KEY=URI (the key on a token or in a cloud
#   HSM, as pkcs11:token=...;object=...), SIGN_CERTS=FILE (the signing
#   certificate and its chain, PEM) and optionally SIGN_PASSWORD_FILE (the
#   token's PIN; without it the token asks on the terminal or needs none) and
#   SIGN_PKCS11_ENGINE=LIBRARY (OpenSSL's pkcs11 engine, when OpenSSL does not
#   find it itself).
# SIGN_TIMESTAMP_URL=URL adds an RFC 3161 timestamp. osslsigncode reads the
# password or PIN from the file itself, so it is on no command line and in no
# output. Both programs are signed; the zip, SHA256SUMS and manifests are then made from the signed files.
set -uo pipefail
# The signing files as given, relative to where make was run.
sign_pkcs12=${SIGN_PKCS12:+$(realpath -m "$SIGN_PKCS12")}
sign_password_file=${SIGN_PASSWORD_FILE:+$(realpath -m "$SIGN_PASSWORD_FILE")}
sign_module=${SIGN_PKCS11_MODULE:+$(realpath -ms "$SIGN_PKCS11_MODULE")}
sign_engine=${SIGN_PKCS11_ENGINE:+$(realpath -ms "$SIGN_PKCS11_ENGINE")}
sign_certs=${SIGN_CERTS:+$(realpath -m "$SIGN_CERTS")}
sign_key=${SIGN_KEY:-}
cd "$(dirname "$0")/../.."
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
# No release URL means no manifests; one on a reserved .example host is a placeholder.
[[ "${VEILUX_RELEASE_URL:-}" =~ ^[a-z]+://[^/]*\.example([:/]|$) || "${VEILUX_RELEASE_URL:-}" == *placeholder* ]] \
  && placeholders+=(VEILUX_RELEASE_URL)
if [ -n "${VEILUX_RELEASE_URL:-}" ] && [[ "$VEILUX_RELEASE_URL" != https://* ]]; then
  echo "make dist: VEILUX_RELEASE_URL must be an https:// address, the folder the zip is published in" >&2
  exit 1
fi
if [ ${#placeholders[@]} -gt 0 ] && [ "${ALLOW_PLACEHOLDER:-0}" != 1 ]; then
  echo "make dist: refusing to release with placeholder ${placeholders[*]}: give the real values" \
       "(make dist VEILUX_SITE_HOST=www.example.com ...) or ALLOW_PLACEHOLDER=1 for a test release" >&2
  exit 1
fi
settings=()
manifest_names=(VEILUX_RELEASE_URL VEILUX_PACKAGE_ID VEILUX_PUBLISHER VEILUX_PACKAGE_NAME VEILUX_LICENSE
                VEILUX_DESCRIPTION)
for name in VEILUX_SITE_HOST VEILUX_INSTAGRAM_URL VEILUX_DONATE_HOST VEILUX_DONATE_BUTTON_ID "${manifest_names[@]}"; do
  [ -n "${!name:-}" ] && settings+=("-D$name=${!name}")
done
[ ${#placeholders[@]} -gt 0 ] && echo "placeholder settings allowed: ${placeholders[*]}"
pkcs11_given=$sign_module$sign_key$sign_certs$sign_engine
if [ -n "$sign_pkcs12" ] && [ -n "$pkcs11_given" ]; then
  echo "make dist: give either SIGN_PKCS12 (a .pfx file) or SIGN_PKCS11_MODULE, SIGN_KEY and SIGN_CERTS" \
       "(a key on a token or in a cloud HSM), not both" >&2
  exit 1
fi
if [ -n "$pkcs11_given" ]; then
  for name in SIGN_PKCS11_MODULE SIGN_KEY SIGN_CERTS; do
    [ -n "${!name:-}" ] || { echo "make dist: signing through PKCS#11 needs $name too (see README)" >&2; exit 1; }
  done
  # RFC 7512 lets a key's URI carry the PIN itself; it would then be on osslsigncode's command line.
  if [[ "$sign_key" == *pin-value=* ]]; then
    echo "make dist: SIGN_KEY holds the PIN (pin-value=): put the PIN in SIGN_PASSWORD_FILE instead" >&2
    exit 1
  fi
elif [ -z "$sign_pkcs12" ] && { [ -n "$sign_password_file" ] || [ -n "${SIGN_TIMESTAMP_URL:-}" ]; }; then
  echo "make dist: SIGN_PASSWORD_FILE and SIGN_TIMESTAMP_URL need a key to sign with: SIGN_PKCS12, or" \
       "SIGN_PKCS11_MODULE with SIGN_KEY and SIGN_CERTS" >&2
  exit 1
fi
if [ -n "$sign_pkcs12" ] && [ -z "$sign_password_file" ]; then
  echo "make dist: SIGN_PKCS12 needs SIGN_PASSWORD_FILE, a file holding the certificate's password" >&2
  exit 1
fi

# Nothing from an earlier release stays behind to look like this one.
rm -rf "$staging" dist/veilux.exe dist/veilux.com dist/veilux-*-win64.zip dist/SHA256SUMS dist/winget dist/scoop
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
tools/checks/check-executables.sh "$build/veilux.exe" "$build/veilux.com" || fail "hardening"
size=$(stat -c %s "$build/veilux.exe")
[ "$size" -le $((256 * 1024)) ] || fail "veilux.exe is $size bytes, more than 256 KiB"
version=$(sed -n 's/^#define VEILUX_VERSION_\(MAJOR\|MINOR\|PATCH\) //p' "$build/generated/veilux_version.h" | paste -sd.)
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "no version in $build/generated/veilux_version.h"

release_exe=$build/veilux.exe
release_com=$build/veilux.com
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
signature="unsigned (give SIGN_PKCS12 or SIGN_PKCS11_MODULE to sign it; see README)"
if [ -n "$sign_pkcs12$pkcs11_given" ]; then
  begin "sign"
  # Description and address shown in Windows' "Open File - Security Warning"
  # and the signature's details: the product's name and its home page, the
  # address the program itself forms (ProductHomeUrl, app/web_endpoints.cpp).
  # The signing time is the last commit's, like the PE time stamp: the same
  # sources, certificate and key give the same signed bytes, by either route.
  sign=(osslsigncode sign -h sha256 -n "$(cache_value CMAKE_PROJECT_NAME)" -i "https://$(cache_value VEILUX_SITE_HOST)/vx"
        -time "$SOURCE_DATE_EPOCH")
  [ -n "$sign_password_file" ] && sign+=(-readpass "$sign_password_file")
  [ -n "${SIGN_TIMESTAMP_URL:-}" ] && sign+=(-ts "$SIGN_TIMESTAMP_URL")
  if [ -n "$sign_pkcs12" ]; then
    sign+=(-pkcs12 "$sign_pkcs12")
    route="with the PKCS#12 file $sign_pkcs12"
    problem="cannot sign with $sign_pkcs12 (unreadable certificate or wrong password?)"
  else
    # Without SIGN_PKCS11_ENGINE osslsigncode loads OpenSSL's engine named
    # pkcs11 from OpenSSL's engines folder (Debian: libengine-pkcs11-openssl).
    [ -n "$sign_engine" ] && sign+=(-pkcs11engine "$sign_engine")
    sign+=(-pkcs11module "$sign_module" -certs "$sign_certs" -key "$sign_key")
    route="through PKCS#11 with the key $sign_key of $sign_module"
    problem="cannot sign with $sign_key through $sign_module (wrong PIN, module or key, or no pkcs11 engine?)"
  fi
  release_exe=$build/veilux-signed.exe
  release_com=$build/veilux-signed.com
  rm -f "$release_exe" "$release_com"
  started=$(date +%s%N)
  "${sign[@]}" -in "$build/veilux.exe" -out "$release_exe" >>"$build.log" 2>&1 \
    || { tail -5 "$build.log"; fail "$problem"; }
  "${sign[@]}" -in "$build/veilux.com" -out "$release_com" >>"$build.log" 2>&1 \
    || { tail -5 "$build.log"; fail "$problem"; }
  took=$((($(date +%s%N) - started) / 1000000))
  # Whose signature it is, for the summary: the .pfx's certificate, or the
  # first of SIGN_CERTS (a certificate that OpenSSL 3 reads only with its
  # legacy ciphers is still signed; its name is then left out).
  if [ -n "$sign_pkcs12" ]; then
    signer=$(openssl pkcs12 -in "$sign_pkcs12" -passin "file:$sign_password_file" -nokeys -clcerts 2>/dev/null)
  else
    signer=$(cat "$sign_certs")
  fi
  signer=$(openssl x509 -noout -subject -nameopt RFC2253 2>/dev/null <<<"$signer" | sed 's/^subject=//')
  signature="signed${signer:+ by $signer} $route: Authenticode SHA-256, signing time"
  signature+=" $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC'), "
  signature+=${SIGN_TIMESTAMP_URL:+"timestamped by $SIGN_TIMESTAMP_URL"}
  [ -n "${SIGN_TIMESTAMP_URL:-}" ] || signature+="not timestamped (valid until the certificate expires)"
  signature+="; signing took $took ms"
fi

begin "package"
manifest_settings=()
for name in VEILUX_SITE_HOST "${manifest_names[@]}"; do manifest_settings+=("$name=$(cache_value "$name")"); done
python3 tools/release/pack-release.py "$release_exe" "$release_com" docs/user-readme.txt "$version" "$SOURCE_DATE_EPOCH" "$staging" \
  "${manifest_settings[@]}" || fail
(cd "$staging" && sha256sum -c --quiet SHA256SUMS) || fail "checksums"
# Into place one by one, the checksum file last: it marks a complete release.
mv "$staging/veilux.exe" "$staging/veilux.com" "$staging/veilux-$version-win64.zip" dist/ || fail
if [ -d "$staging/winget" ]; then mv "$staging/winget" "$staging/scoop" dist/ || fail; fi
mv "$staging/SHA256SUMS" dist/ || fail
rmdir "$staging"

echo "Made, from $(git rev-parse --short HEAD 2>/dev/null || echo 'these sources'):"
echo "  veilux.exe and veilux.com $signature"
for file in dist/veilux.exe dist/veilux.com "dist/veilux-$version-win64.zip" dist/SHA256SUMS; do
  printf '  %-28s %8d bytes\n' "$file" "$(stat -c %s "$file")"
done
sed 's/^/  /' dist/SHA256SUMS
if [ -d dist/winget ]; then
  echo "  winget and Scoop manifests for $(sed -n 's/^ *InstallerUrl: //p' dist/winget/*.installer.yaml):"
  printf '    %s\n' dist/winget/* dist/scoop/veilux.json
else
  echo "  no winget or Scoop manifests (give VEILUX_RELEASE_URL, the folder the zip is published in; see README)"
fi
