#!/usr/bin/env bash
# End-to-end run, as a user would: the installed editor on a private X server
# (Xvfb), the simulated device on a private JACK server. Drags one connection
# with real X mouse events, checks that the device received it, presses OK and
# checks the "-Previous" preset, the restored mode setting and the settings
# written back. Every folder of the run (install prefix, HOME, XDG folders) lies
# under a folder named with a space and letters outside ASCII. Keeps the
# screenshot, the device's log and the editor's output in the artefact folder.
#
#   e2e-drag.sh --build BUILD_DIR --plan PLAN_PROGRAM --out ARTEFACT_DIR [--model M]
#
# Every process it starts is stopped by its pid when it ends.
set -uo pipefail

build="" plan="" out="" model=Q7300FW
source_node="ANAin 0" dest_node="MAINinL 0"
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --plan) plan=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --model) model=$2; shift 2 ;;
    *) echo "e2e: unknown argument $1" >&2; exit 2 ;;
  esac
done
[ -n "$build" ] && [ -n "$plan" ] && [ -n "$out" ] || { echo "e2e: --build, --plan and --out are needed" >&2; exit 2; }
build=$(realpath "$build") plan=$(realpath "$plan")
mkdir -p "$out" && out=$(realpath "$out")
# Two runs at once (two test runs in one build) would delete each other's logs
# and share the machine: the second waits for the first.
exec 9>"$out/.run.lock" && flock 9
for tool in Xvfb xdpyinfo xdotool jackd jack_lsp import cmake; do
  command -v "$tool" >/dev/null || { echo "e2e: $tool is not installed" >&2; exit 1; }
done

mkdir -p "$out"
rm -f "$out"/e2e-*.png "$out"/sim.log "$out"/editor.log "$out"/jackd.log "$out"/xvfb.log
tmp=$(mktemp -d "/tmp/q7300 e2e Jürgen Ω.XXXXXX")
pids=() # started processes, stopped last first
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/sim-env.sh" # start_jack, start_xvfb, stop_pid, wait_page_read
cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop_pid "${pids[i]}"; done
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "e2e: FAILED: $*" >&2
  [ -n "${DISPLAY:-}" ] && import -display "$DISPLAY" -window root "$out/e2e-failure.png" 2>/dev/null
  echo "--- editor output" >&2; tail -n 20 "$out/editor.log" 2>/dev/null >&2
  echo "--- device log (last lines)" >&2; tail -n 15 "$out/sim.log" 2>/dev/null >&2
  exit 1
}
step() { echo "e2e: $*"; }

# ---- the installed program, its model files in a private XDG data folder
prefix="$tmp/prefix"
cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 || fail "cmake --install: $(tail -n 3 "$tmp/install.log")"
editor="$prefix/bin/q7300-routing"
sim="$prefix/bin/q7300-sim"
[ -x "$editor" ] && [ -x "$sim" ] || fail "the install holds no q7300-routing or q7300-sim"
shared="$prefix/share/Zorvanta/q7300-routing"
export HOME="$tmp/home" XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config"
export XDG_STATE_HOME="$tmp/state" XDG_DATA_DIRS="$tmp/no-system-data"
export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" "$XDG_RUNTIME_DIR" "$XDG_DATA_DIRS"
chmod 700 "$XDG_RUNTIME_DIR"
data="$XDG_DATA_HOME/Zorvanta/q7300-routing"
mkdir -p "$data" && cp -r "$shared/." "$data/" || fail "no model files were installed in $shared"
ini="$XDG_DATA_HOME/q7300-routing/q7300-routing.ini" # used when its folder exists
mkdir -p "${ini%/*}"
presets="$XDG_CONFIG_HOME/Zorvanta/q7300-routing/$model"
unset QT_QPA_PLATFORM
export QT_FONT_DPI=96 # the offscreen layout probe and the X server must agree

# ---- where the nodes and the OK button sit, and the device's starting state:
# the same build laid out offscreen
probe="$tmp/probe"
mkdir -p "$probe/data/Zorvanta/q7300-routing" "$probe/config"
cp -r "$shared/." "$probe/data/Zorvanta/q7300-routing/"
plan_out=$(cd "$probe" && env XDG_DATA_HOME="$probe/data" XDG_CONFIG_HOME="$probe/config" \
  QT_QPA_PLATFORM=offscreen "$plan" "$model" "$source_node" "$dest_node") || fail "no plan for $source_node -> $dest_node"
eval "$plan_out"
key=$PLAN_KEY value=$PLAN_VALUE other=$PLAN_OTHER_VALUE
mode_value=7 # the device's own mode setting: anything but the 2 the editor holds
printf 'model %s\nvalue 10010016 %d\nvalue %s %d\n' "$model" "$mode_value" "$key" "$other" >"$tmp/device.state"
step "plan: drag \"$source_node\" to \"$dest_node\": key $key goes from $other to $value"

# ---- a private X server on a free display
start_xvfb 91 160 "$out/xvfb.log" -screen 0 1280x1024x24 -dpi 96 || fail "Xvfb did not start: $(cat "$out/xvfb.log")"
pids+=("$xvfb_pid")

# ---- a private JACK server and the simulated device on it
start_jack "q7300-e2e-$$" "$out/jackd.log" || fail "the JACK server did not start: $(tail -n 3 "$out/jackd.log")"
pids+=("$jack_pid")
port="Q7300 E2E"
"$sim" --model "$model" --api jack --port-name "$port" --log --state "$tmp/device.state" >"$out/sim.log" 2>&1 &
sim_pid=$!
pids+=($sim_pid)
"$sim" --api jack --configure-editor --port-name "$port" --wait 15 >"$tmp/configure.log" 2>&1 \
  || fail "the editor's MIDI settings were not written: $(cat "$tmp/configure.log")"
grep -qxF "settings=$ini" "$tmp/configure.log" || fail "the simulator wrote the settings elsewhere: $(cat "$tmp/configure.log")"

# ---- the editor
work="$tmp/work"
mkdir -p "$work"
(cd "$work" && exec "$editor") >"$out/editor.log" 2>&1 &
editor_pid=$!
pids+=($editor_pid)
wid=""
for i in $(seq 200); do
  wid=$(xdotool search --name ' Routing - ' 2>/dev/null | head -n 1)
  [ -n "$wid" ] && break
  kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended at start"
  sleep 0.1
done
[ -n "$wid" ] || fail "no editor window appeared"
title=""
for i in $(seq 300); do
  title=$(xdotool getwindowname "$wid" 2>/dev/null)
  case "$title" in "$model Routing - connected") break ;; esac
  kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended while connecting"
  sleep 0.1
done
[ "$title" = "$model Routing - connected" ] || fail "the title says \"$title\", not connected"
step "title: $title"

# The page is read one request at a time; wait until the device has answered
# the destination and the traffic has stopped.
for i in $(seq 300); do
  grep -q "out .*command 60 \"$key " "$out/sim.log" && break
  sleep 0.1
done
grep -q "out .*command 60 \"$key " "$out/sim.log" || fail "the editor never read key $key"
# Quiet for longer than one reply time-out.
wait_page_read "$out/sim.log" 1.5 60
step "page read: $(grep -c ' in  ' "$out/sim.log") messages reached the device"

# ---- geometry: the window's place and size as the X server has it
eval "$(xdotool getwindowgeometry --shell "$wid")"
win_x=$X win_y=$Y
[ "$WIDTH" = "$LAYOUT_WIDTH" ] && [ "$HEIGHT" = "$LAYOUT_HEIGHT" ] \
  || fail "the window is ${WIDTH}x$HEIGHT but the layout probe made ${LAYOUT_WIDTH}x$LAYOUT_HEIGHT"
import -window "$wid" "$out/e2e-before.png" 2>/dev/null

# ---- the drag, with real pointer events
sx=$((win_x + PLAN_SRC_X)) sy=$((win_y + PLAN_SRC_Y))
dx=$((win_x + PLAN_DEST_X)) dy=$((win_y + PLAN_DEST_Y))
step "drag from ($sx,$sy) to ($dx,$dy)"
xdotool mousemove --sync "$sx" "$sy"
sleep 0.3
xdotool mousedown 1
sleep 0.2
for k in 1 2 3 4 5 6 7 8; do
  xdotool mousemove --sync $((sx + (dx - sx) * k / 8)) $((sy + (dy - sy) * k / 8))
  sleep 0.08
done
sleep 0.2
xdotool mouseup 1
sent=""
for i in $(seq 50); do
  sent=$(grep " in  .*command 60 \"$key $value\"" "$out/sim.log" | head -n 1)
  [ -n "$sent" ] && break
  sleep 0.1
done
[ -n "$sent" ] || fail "the device never received \"$key $value\" after the drag"
step "device received: ${sent#* in  }"
xdotool mousemove --sync $((win_x + 5)) $((win_y + HEIGHT - 3)) # away from the nodes, no bubble
sleep 0.5
import -window "$wid" "$out/e2e-screenshot.png" 2>/dev/null || fail "no screenshot"

# ---- OK: the "-Previous" preset and the restored mode setting
xdotool mousemove --sync $((win_x + LAYOUT_OK_X)) $((win_y + LAYOUT_OK_Y))
sleep 0.2
xdotool click 1
for i in $(seq 100); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$editor_pid" 2>/dev/null && fail "the editor is still running after OK"
wait "$editor_pid"
rc=$?
[ "$rc" = 0 ] || fail "the editor ended with status $rc"
previous="$presets/-Previous.rut"
[ -f "$previous" ] || fail "no $previous after OK"
grep -q "^$key $value"$'\r'"\$" "$previous" || fail "-Previous does not hold \"$key $value\": $(head -c 300 "$previous")"
step "-Previous holds: $key $value ($(wc -l <"$previous") lines)"
restore=$(grep -n " in  .*command 60 \"10010016 $mode_value\"" "$out/sim.log" | tail -n 1)
[ -n "$restore" ] || fail "the device never got its mode setting $mode_value back"
set_line=$(grep -n " in  .*command 60 \"$key $value\"" "$out/sim.log" | head -n 1 | cut -d: -f1)
[ "${restore%%:*}" -gt "$set_line" ] || fail "the mode setting was restored before the edit"
step "mode restored: ${restore#* in  }"
grep -q "^In=.*$port" "$ini" && grep -q '^Sizer=' "$ini" \
  || fail "the settings file does not hold the MIDI port and the window: $(cat "$ini")"
step "settings kept in $ini"

# ---- the device kept both when it stopped
stop_pid "$sim_pid"
grep -q "^value $key $value\b" "$tmp/device.state" || fail "the device state lost $key $value"
grep -q "^value 10010016 $mode_value\b" "$tmp/device.state" || fail "the device state lost the mode setting"
step "PASSED (screenshot: $out/e2e-screenshot.png)"
