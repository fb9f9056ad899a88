# shellcheck shell=bash
# Sourced by the scripts that start servers of their own (tools/sim-env.sh,
# tools/bench.sh, tests/e2e/e2e-drag.sh). Defines:
#  start_jack NAME LOG [FRAMES]
#                        starts a private JACK server named NAME with the dummy
#                        backend, 48 kHz and FRAMES (default 1024) frames a
#                        cycle, its output in LOG; exports JACK_DEFAULT_SERVER
#                        and JACK_NO_START_SERVER (no client starts another
#                        server) and sets jack_pid. Returns 1 when the server
#                        ends or jack_lsp gets no answer from it within 15 s.
#  start_xvfb FIRST LAST LOG [XVFB OPTION...]
#                        starts a private X server on the first display from
#                        :FIRST to :LAST that is free and answers, its output
#                        in LOG; exports DISPLAY and sets xvfb_pid. Returns 1
#                        when none did.
#  stop_pid PID          SIGTERM, SIGKILL after 5 s, and waits for it.

stop_pid() {
  local p=$1 i
  kill -0 "$p" 2>/dev/null || return 0
  kill "$p" 2>/dev/null || true
  for i in $(seq 50); do kill -0 "$p" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$p" 2>/dev/null && { kill -9 "$p" 2>/dev/null || true; }
  # A killed child's status is not a failure: callers may run under set -e.
  wait "$p" 2>/dev/null || true
  return 0
}

start_jack() {
  local name=$1 log=$2 frames=${3:-1024} i
  export JACK_DEFAULT_SERVER=$name JACK_NO_START_SERVER=1
  # Realtime threads where the system allows them (jackd runs on without where
  # it refuses them) and long cycles (1024 frames, 21 ms): otherwise the
  # clients miss cycles on a busy machine and the MIDI messages in them are lost.
  jackd -n "$name" -d dummy -r 48000 -p "$frames" >"$log" 2>&1 &
  jack_pid=$!
  for i in $(seq 150); do
    jack_lsp >/dev/null 2>&1 && return 0
    kill -0 "$jack_pid" 2>/dev/null || return 1
    sleep 0.1
  done
  stop_pid "$jack_pid"
  return 1
}

start_xvfb() {
  local first=$1 last=$2 log=$3 d i
  shift 3
  # Others may start an X server at the same moment: a display that fails is
  # skipped.
  for d in $(seq "$first" "$last"); do
    { [ -e "/tmp/.X11-unix/X$d" ] || [ -e "/tmp/.X$d-lock" ]; } && continue
    Xvfb ":$d" "$@" -nolisten tcp >"$log" 2>&1 &
    xvfb_pid=$!
    for i in $(seq 300); do
      if DISPLAY=":$d" xdpyinfo >/dev/null 2>&1; then
        export DISPLAY=":$d"
        return 0
      fi
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    stop_pid "$xvfb_pid"
  done
  return 1
}
