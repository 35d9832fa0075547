#!/usr/bin/env bash
# make dist: builds the release from a fresh configure and writes
#   dist/veilux.exe, dist/veilux-VERSION-win64.zip, dist/SHA256SUMS.
# Build settings come from the environment under the names of the README's
# table (VEILUX_SITE_HOST, VEILUX_INSTAGRAM_URL, VEILUX_DONATE_HOST,
# VEILUX_DONATE_BUTTON_ID); ALLOW_PLACEHOLDER=1 allows the placeholder values.
# A failed step is named, and dist/ then holds none of the three files.
set -uo pipefail
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

begin "package"
python3 tools/pack-release.py "$build/veilux.exe" docs/user-readme.txt "$version" "$SOURCE_DATE_EPOCH" "$staging" \
  || fail
(cd "$staging" && sha256sum -c --quiet SHA256SUMS) || fail "checksums"
# Into place one by one, the checksum file last: it marks a complete release.
mv "$staging/veilux.exe" "$staging/veilux-$version-win64.zip" dist/ && mv "$staging/SHA256SUMS" dist/ || fail
rmdir "$staging"

echo "Made, from $(git rev-parse --short HEAD 2>/dev/null || echo 'these sources'):"
for file in dist/veilux.exe "dist/veilux-$version-win64.zip" dist/SHA256SUMS; do
  printf '  %-28s %8d bytes\n' "$file" "$(stat -c %s "$file")"
done
sed 's/^/  /' dist/SHA256SUMS
