# Sourced by ./run and the scripts that run the editor against the simulated
# device. Defines start_sim BINARY MODEL [PORT_NAME], which starts
# the simulated device and points the editor at it:
#  - with no MIDI service on the machine (no ALSA sequencer, no JACK server)
#    it starts a private JACK server (start_jack of tools/private-servers.sh,
#    which this file sources), so that the editor started afterwards uses it too;
#  - it starts q7300-sim of that model, logging to
#    $XDG_STATE_HOME/q7300-routing/sim.log and keeping the device state in
#    sim-MODEL.state beside it;
#  - it writes the editor's MIDI port settings ("MIDI"/"In" and "Out", the
#    comm type, demo mode off) into the settings store the editor opens
#    (q7300-sim --configure-editor finds it the way the editor does).
# The pids go into the caller's array `pids` (the simulator before the JACK
# server, so the device can save its state while the server still runs).
# Also defines wait_page_read LOG PAUSE TRIES, which waits until the editor has
# read the page: the simulator's LOG holds a gain reply (the last part of the
# read) and has not grown for PAUSE seconds; 1 when TRIES pauses were not enough.

source "$(dirname "${BASH_SOURCE[0]}")/private-servers.sh"

start_sim() {
  local bin=$1 model=${2:-Q7300FW} name=${3:-Q7300 Simulator}
  local state="${XDG_STATE_HOME:-$HOME/.local/state}/q7300-routing"
  local api jack_pid=""
  mkdir -p "$state"
  if [ -e /dev/snd/seq ]; then
    api=alsa
  elif jack_lsp >/dev/null 2>&1; then
    api=jack
  else
    if ! command -v jackd >/dev/null; then
      echo "start_sim: no MIDI service runs and jackd is not installed" >&2
      return 1
    fi
    if ! start_jack "q7300-sim-$$" "$state/jackd.log"; then
      echo "start_sim: the JACK server did not start (see $state/jackd.log)" >&2
      return 1
    fi
    api=jack
  fi
  "$bin" --model "$model" --api "$api" --port-name "$name" --log \
    --state "$state/sim-$model.state" >"$state/sim.log" 2>&1 &
  local sim_pid=$!
  pids+=("$sim_pid")
  [ -n "$jack_pid" ] && pids+=("$jack_pid")
  if ! "$bin" --configure-editor --port-name "$name" --wait 10 >/dev/null; then
    echo "start_sim: the simulator's ports did not appear; its log:" >&2
    tail -n 5 "$state/sim.log" >&2
    return 1
  fi
  echo "start_sim: simulated $model on $api ports \"$name\" (log: $state/sim.log)"
}

wait_page_read() {
  local log=$1 pause=$2 tries=$3 size=-1 now i
  for i in $(seq "$tries"); do
    sleep "$pause"
    now=$(stat -c %s "$log")
    [ "$now" = "$size" ] && grep -q 'out .*command 50 "NUM' "$log" && return 0
    size=$now
  done
  return 1
}
