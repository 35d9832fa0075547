#!/usr/bin/env bash
# Usage: check-reproducible.sh BUILD_DIR
# Builds veilux.exe a second time from a copy of the sources in another
# folder (other path, other depth, a space in it), with the same build settings as
# BUILD_DIR, and fails unless both .exe files have the same SHA-256.
# Both builds take their PE time stamp from the last commit, so a build path,
# a user name or a clock in the .exe shows up here as a difference.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
first=$(realpath "$1")
[ -f "$first/veilux.exe" ] || { echo "no $first/veilux.exe: build it first"; exit 1; }
# A space in the path, as in "C:\Users\Ann Lee\src": every path the build
# hands a tool must be quoted.
other="$source_dir/build/repro/second copy"
rm -rf "$other"
mkdir -p "$other/sources"

# The working tree as it is (committed or not), without build outputs.
cd "$source_dir"
if git rev-parse --show-toplevel >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' file; do
    [ -e "$file" ] && printf '%s\0' "$file"
  done | tar --null -T - -cf - | tar -xf - -C "$other/sources"
  epoch=$(git log -1 --format=%ct)
else
  tar --exclude=./build --exclude=./dist -cf - . | tar -xf - -C "$other/sources"
  epoch=0
fi

# The same cache settings as the first build (its host and links included).
settings=()
while IFS= read -r line; do settings+=("-D$line"); done \
  < <(sed -n 's/^\(VEILUX_[A-Z_]*\|CMAKE_BUILD_TYPE\):[A-Z]*=/\1=/p' "$first/CMakeCache.txt")

export SOURCE_DATE_EPOCH=$epoch
(cd "$other/sources" && cmake --preset mingw -B "$other/build" "${settings[@]}" >/dev/null)
cmake --build "$other/build" -j"${JOBS:-2}" --target veilux >/dev/null

a=$(sha256sum <"$first/veilux.exe" | cut -d' ' -f1)
b=$(sha256sum <"$other/build/veilux.exe" | cut -d' ' -f1)
echo "$a  $first/veilux.exe"
echo "$b  $other/build/veilux.exe"
if [ "$a" != "$b" ]; then
  echo "FAIL: the two builds differ; first differing bytes (offset, octal values):"
  cmp -l "$first/veilux.exe" "$other/build/veilux.exe" | head -5
  exit 1
fi
echo "ok: byte-identical"
rm -rf "$other"
