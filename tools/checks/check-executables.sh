#!/usr/bin/env bash
# Fails when an .exe is not 64-bit, imports a DLL other than the system's
# known DLLs (plus comctl32, bound side by side by the manifest), or lacks
# ASLR, high-entropy VA or NX; and the program itself must be a GUI program.
set -uo pipefail
allowed='^(kernel32|user32|gdi32|shell32|advapi32|ole32|shlwapi|gdiplus|msvcrt|comctl32)\.dll$'
status=0
[ $# -gt 0 ] || { echo "no executables given"; exit 1; }
for exe in "$@"; do
  headers=$(x86_64-w64-mingw32-objdump -p "$exe") || { echo "FAIL $exe: unreadable"; status=1; continue; }
  grep -q 'file format pei-x86-64' <<<"$headers" || { echo "FAIL $exe: not 64-bit"; status=1; }
  for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
    grep -q "$flag" <<<"$headers" || { echo "FAIL $exe: $flag missing"; status=1; }
  done
  # The program itself is a GUI program: no console window opens with it.
  if [ "$(basename "$exe")" = veilux.exe ] && ! grep -q 'Subsystem.*(Windows GUI)' <<<"$headers"; then
    echo "FAIL $exe: not a GUI program"; status=1
  fi
  while read -r dll; do
    if ! grep -qiE "$allowed" <<<"$dll"; then echo "FAIL $exe: imports $dll"; status=1; fi
  done < <(awk '/DLL Name:/ {print $3}' <<<"$headers")
  [ $status -eq 0 ] && echo "ok $(basename "$exe")"
done
exit $status
