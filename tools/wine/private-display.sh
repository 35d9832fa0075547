# Sourced by the session scripts: a private Xvfb display of their own.
#   start_private_display FIRST LAST WIDTHxHEIGHT
# takes the first free display number in FIRST..LAST, exports DISPLAY and
# sets xvfb_pid; stop_private_display ends it (harmless when none runs).

start_private_display() {
  local first=$1 last=$2 geometry=$3 n
  for n in $(seq "$first" "$last"); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 "${geometry}x24" -nolisten tcp >/dev/null 2>&1 &
      xvfb_pid=$!
      export DISPLAY=":$n"
      for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.05; done
      return 0
    fi
  done
  echo "no free X display between :$first and :$last" >&2
  return 1
}

stop_private_display() {
  [ -n "${xvfb_pid:-}" ] || return 0
  kill "$xvfb_pid" >/dev/null 2>&1 || true
  wait "$xvfb_pid" 2>/dev/null || true
}
