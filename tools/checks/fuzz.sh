#!/usr/bin/env bash
# Builds the fuzz targets and runs each one for the given number of seconds
# (default 600). Inputs that reach new code are kept in build/fuzz/corpus/NAME;
# the committed seeds in tests/fuzz/NAME are read, never written. A crash, a
# sanitizer report or an input slower than 10 s fails the run and leaves that
# input in build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-600}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null
mkdir -p build/fuzz/findings
for name in version_file language_code; do
  # The version file is judged by its first 4096 bytes: longer inputs test the bound.
  case $name in version_file) max_len=8192 ;; *) max_len=64 ;; esac
  mkdir -p "build/fuzz/corpus/$name"
  log=build/fuzz/$name.log
  if ! "build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -max_len=$max_len -print_final_stats=1 \
      -artifact_prefix="build/fuzz/findings/$name-" "build/fuzz/corpus/$name" "tests/fuzz/$name" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_$name FAILED; the input is in build/fuzz/findings/, the whole log in $log"
    exit 1
  fi
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true)
  echo "fuzz_$name: ${seconds} s, $(echo "$done_line" | tr -s "\t " " "), corpus $(ls "build/fuzz/corpus/$name" | wc -l) files"
done
