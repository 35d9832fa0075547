#!/usr/bin/env bash
# Usage: registry_canaries.sh set|check
# Canary values in the test prefix's real HKEY_CURRENT_USER, where every
# Windows test program clears and writes: Explorer's view values, the Run
# entry, its disabled mark and "Software\Veilux". CTest sets them before the
# first Windows test and checks them after the last one (fixture
# "real_user_settings"): each must still hold exactly what was set, and no
# throwaway key of the tests may be left. "check" then removes them again.
# Runs inside tools/wine/wine-session.sh; only ever in a test prefix, never on a
# real Windows account.
set -uo pipefail
: "${WINEPREFIX:?run inside tools/wine/wine-session.sh}"

advanced='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced'
run='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
approved='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run'
program='HKCU\Software\Veilux'
throwaway='HKCU\Software\Veilux test hives'
# key, value, type, data: data the program itself never writes.
canaries=(
  "$advanced|Hidden|REG_DWORD|0x7e51"
  "$advanced|ShowSuperHidden|REG_DWORD|0x7e52"
  "$advanced|HideFileExt|REG_DWORD|0x7e53"
  "$run|Veilux|REG_SZ|canary: C:\\elsewhere\\veilux.exe"
  "$approved|Veilux|REG_BINARY|0300000000000000000000ee"
  "$program|Lang|REG_SZ|canary"
)

reg() { WINEDEBUG=-all wine reg "$@" 2>/dev/null | tr -d '\r'; }

case "${1:-}" in
set)
  for canary in "${canaries[@]}"; do
    IFS='|' read -r key name type data <<<"$canary"
    reg add "$key" /v "$name" /t "$type" /d "$data" /f >/dev/null || { echo "could not set $key\\$name"; exit 1; }
  done
  echo "canaries set: ${#canaries[@]}"
  ;;
check)
  failures=0
  for canary in "${canaries[@]}"; do
    IFS='|' read -r key name type data <<<"$canary"
    # reg query prints "    NAME    TYPE    DATA" (binary data in capitals).
    line=$(reg query "$key" /v "$name" | grep -F "    $name    " || true)
    expected="    $name    $type    $data"
    if [ "${line^^}" = "${expected^^}" ]; then
      echo "ok: $key\\$name kept"
    else
      what="is gone"
      [ -z "$line" ] || what="is now '${line# }'"
      echo "FAIL: $key\\$name $what, was '${expected# }'"
      failures=$((failures + 1))
    fi
    reg delete "$key" /v "$name" /f >/dev/null
  done
  reg delete "$program" /f >/dev/null
  if reg query "$throwaway" >/dev/null; then
    echo "FAIL: the tests' throwaway key $throwaway is left behind"
    reg delete "$throwaway" /f >/dev/null
    failures=$((failures + 1))
  fi
  [ "$failures" -eq 0 ] || { echo "$failures canary check(s) failed: a test reached the real user's settings"; exit 1; }
  echo "every canary kept"
  ;;
*)
  echo "usage: registry_canaries.sh set|check" >&2
  exit 2
  ;;
esac
