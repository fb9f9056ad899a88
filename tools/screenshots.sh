#!/usr/bin/env bash
# Retakes the README's screenshots: installs the build into a scratch prefix,
# starts a private X server (Xvfb), the simulated device (on a private JACK
# server when no MIDI service runs) and the installed editor with private XDG
# folders, then photographs the connected page, a loaded factory preset and
# the comms configuration sheet.
#   tools/screenshots.sh [OUTPUT_FOLDER]     (default: docs/screenshots)
# Environment: SHOT_DISPLAY (default :96), SHOT_MODEL (default Q7300FW).
# Every process it starts is stopped by its pid at the end.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$here/docs/screenshots}")
display=${SHOT_DISPLAY:-:96}
model=${SHOT_MODEL:-Q7300FW}
preset="DSP A and B in Parallel"
build="$here/build"
for tool in Xvfb xdpyinfo xdotool import cmake; do
  command -v "$tool" >/dev/null || { echo "screenshots: $tool is not installed (tools/install-deps.sh)" >&2; exit 1; }
done

cmake --build "$build" -j "$(nproc)" --target installed_files >/dev/null
tmp=$(mktemp -d /tmp/q7300-shots.XXXXXX)
pids=()
source "$here/tools/sim-env.sh" # start_sim, start_xvfb, stop_pid, wait_page_read
cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop_pid "${pids[i]}"; done
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "screenshots: $*" >&2; exit 1; }

prefix="$tmp/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" XDG_STATE_HOME="$tmp/state"
export XDG_DATA_HOME="$tmp/data" XDG_DATA_DIRS="$prefix/share" XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

start_xvfb "${display#:}" "${display#:}" "$tmp/xvfb.log" -screen 0 1280x900x24 -dpi 96 \
  || fail "Xvfb did not start on $display (taken? choose another with SHOT_DISPLAY): $(cat "$tmp/xvfb.log")"
pids+=("$xvfb_pid")

# The device starts out holding the factory preset "Straight Through".
mkdir -p "$XDG_STATE_HOME/q7300-routing"
awk -v m="$model" 'BEGIN { print "model " m } { sub(/\r$/, "");
  print ($2 ~ /\./ ? "gain " : "value ") $1 " " $2 }' \
  "$prefix/share/Zorvanta/q7300-routing/$model/Straight Through.rft" \
  >"$XDG_STATE_HOME/q7300-routing/sim-$model.state"
start_sim "$prefix/bin/q7300-sim" "$model" "Q7300 Screenshots" >/dev/null || fail "the simulated device did not start"
simlog="$XDG_STATE_HOME/q7300-routing/sim.log"

work="$tmp/work"
mkdir -p "$work"
cp "$prefix/share/Zorvanta/q7300-routing/read_me.txt" "$work/"
(cd "$work" && exec "$prefix/bin/q7300-routing") >"$tmp/editor.log" 2>&1 &
pids+=($!)
wid=""
for i in $(seq 300); do
  wid=$(xdotool search --name "^$model Routing - connected" 2>/dev/null | head -n 1) && [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || fail "the editor did not connect: $(tail -n 5 "$tmp/editor.log")"
wait_page_read "$simlog" 1 60 || fail "the editor did not finish reading the page"
mkdir -p "$out"
shot() { sleep 0.5; import -window "$1" "$out/$2.png"; echo "screenshots: $out/$2.png"; }
shot "$wid" connected-page

eval "$(xdotool getwindowgeometry --shell "$wid")"
win_x=$X win_y=$Y win_w=$WIDTH

# A factory preset, chosen in the "Factory" list (top left of the window) with
# the keyboard: a click opens the list, typing the name picks the entry.
xdotool mousemove --sync $((win_x + 70)) $((win_y + 61)) click 1
sleep 0.5
xdotool type --delay 80 "$preset"
xdotool key Return
sleep 3
shot "$wid" factory-preset

# The comms configuration sheet, from the page's right-click menu.
xdotool mousemove --sync $((win_x + win_w / 2)) $((win_y + 175)) click 3
sleep 0.5
for k in $(seq 8); do xdotool key Down; done
xdotool key Return
sheet=""
for i in $(seq 50); do
  sheet=$(xdotool search --name "Comm" 2>/dev/null | grep -v "^$wid$" | head -n 1) && [ -n "$sheet" ] && break
  sleep 0.1
done
[ -n "$sheet" ] || fail "the comms configuration sheet did not open"
shot "$sheet" comms-config
