#!/usr/bin/env bash
# Runs every benchmark and prints one table of medians with the machine's noise.
#   tools/bench.sh [--reps N] [--build DIR] [--no-micro]
# - configures and builds a -DQ7300_BENCH=ON build (default folder build-bench/);
# - runs each Google Benchmark program N times (repetitions, median and the
#   coefficient of variation);
# - installs the program into a temporary prefix and, on a private X server
#   (Xvfb), measures start-up to the first painted page and the peak memory of
#   the editor in demo mode, N times;
# - against q7300-sim on a private JACK server, measures the time the editor
#   takes to read the whole page of a Q7300FW (first request to last reply, from
#   the device's log) against its bound (one request per 30 ms tick), and the
#   editor's peak memory while connected.
# The table is printed and kept in BUILD/bench-table.md.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
reps=5
micro=1
build="$here/build-bench"
while [ $# -gt 0 ]; do
  case "$1" in
    --reps) reps=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --no-micro) micro=0; shift ;; # only the figures of the running program
    -h|--help) sed -n '2,14p' "$0"; exit 0 ;;
    *) echo "bench: unknown argument $1" >&2; exit 2 ;;
  esac
done
mkdir -p "$build" && build=$(cd "$build" && pwd)
for tool in cmake Xvfb xdpyinfo jackd jack_lsp python3; do
  command -v "$tool" >/dev/null || { echo "bench: $tool is not installed (tools/install-deps.sh)" >&2; exit 1; }
done

gen=()
command -v ninja >/dev/null && gen=(-G Ninja)
cmake -S "$here" -B "$build" "${gen[@]}" -DQ7300_BENCH=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
benches=(bench_routing bench_comms bench_editor bench_sync)
cmake --build "$build" -j 2 --target "${benches[@]}" q7300-firstpaint installed_files \
  >"$build/bench-build.log" 2>&1 || { tail -n 20 "$build/bench-build.log" >&2; exit 1; }

tmp=$(mktemp -d /tmp/q7300-bench.XXXXXX)
pids=()
source "$here/tools/sim-env.sh" # start_jack, start_xvfb, stop_pid, wait_page_read
cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop_pid "${pids[i]}"; done
  rm -rf "$tmp"
}
trap cleanup EXIT
results="$tmp/results.tsv" # name, unit, target, values...
: >"$results"
# summary NAME UNIT TARGET VALUES...: one row of the table from repeated measurements.
summary() {
  python3 - "$@" >>"$results" <<'EOF'
import statistics, sys
name, unit, target, *vals = sys.argv[1:]
v = [float(x) for x in vals]
cv = statistics.pstdev(v) / statistics.mean(v) * 100 if len(v) > 1 and statistics.mean(v) else 0
print("\t".join([name, unit, target, str(len(v)), "%.6g" % statistics.median(v),
                 "%.6g" % min(v), "%.6g" % max(v), "%.1f" % cv]))
EOF
}

# ---- Google Benchmark programs
[ "$micro" = 1 ] || benches=()
for b in "${benches[@]}"; do
  echo "bench: $b ($reps repetitions)" >&2
  QT_QPA_PLATFORM=offscreen "$build/bench/$b" --benchmark_repetitions="$reps" \
    --benchmark_format=json --benchmark_out="$tmp/$b.json" --benchmark_out_format=json \
    >/dev/null 2>"$tmp/$b.err" || { cat "$tmp/$b.err" >&2; exit 1; }
  python3 - "$tmp/$b.json" >>"$results" <<'EOF'
import json, statistics, sys
runs, aggs = {}, {}
for r in json.load(open(sys.argv[1]))["benchmarks"]:
    name = r["run_name"]
    tput = "bytes_per_second" in r
    unit = "MiB/s" if tput else r.get("time_unit", "ns")
    value = r["bytes_per_second"] / 2**20 if tput else r["real_time"]
    if r.get("run_type") == "aggregate":
        aggs.setdefault((name, unit), {})[r["aggregate_name"]] = value
        aggs[(name, unit)]["reps"] = r.get("repetitions", 0)
    else:
        runs.setdefault((name, unit), []).append(value)
for key in list(runs) + [k for k in aggs if k not in runs]:
    name, unit = key
    if key in runs and len(runs[key]) > 1:
        v = runs[key]
        cv = statistics.pstdev(v) / statistics.mean(v) * 100
        print("\t".join([name, unit, "-", str(len(v)), "%.6g" % statistics.median(v),
                         "%.6g" % min(v), "%.6g" % max(v), "%.1f" % cv]))
    elif key in aggs and "median" in aggs[key]:
        a = aggs[key]
        cv = a["stddev"] / a["mean"] * 100 if a.get("mean") else 0
        print("\t".join([name, unit, "-", str(a["reps"]), "%.6g" % a["median"], "", "", "%.1f" % cv]))
EOF
done

# ---- the installed program on a private X server
prefix="$tmp/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null || exit 1
shared="$prefix/share/Zorvanta/q7300-routing"
export HOME="$tmp/home" XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config"
export XDG_STATE_HOME="$tmp/state" XDG_DATA_DIRS="$tmp/no-system-data" XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" "$XDG_DATA_DIRS" "$XDG_RUNTIME_DIR" "$tmp/work"
chmod 700 "$XDG_RUNTIME_DIR"
data="$XDG_DATA_HOME/Zorvanta/q7300-routing"
mkdir -p "$data" && cp -r "$shared/." "$data/"
# The editor's settings file (the folder must exist for the editor to use it).
ini="$XDG_DATA_HOME/q7300-routing/q7300-routing.ini"
mkdir -p "${ini%/*}"
unset QT_QPA_PLATFORM
start_xvfb 161 220 "$tmp/xvfb.log" -screen 0 1280x1024x24 \
  || { echo "bench: Xvfb did not start: $(cat "$tmp/xvfb.log")" >&2; exit 1; }
pids+=("$xvfb_pid")

echo "bench: start-up to first painted page, demo mode ($reps runs)" >&2
paint=() rss=()
for r in $(seq "$reps"); do
  printf '[main]\nmachine=2\nlocal=1\n' >"$ini"
  out=$(cd "$tmp/work" && "$build/bench/q7300-firstpaint" " Routing - " 1000 "$prefix/bin/q7300-routing") \
    || { echo "bench: the start-up measurement failed" >&2; exit 1; }
  eval "$out"
  paint+=("$first_paint_ms") rss+=("$(awk "BEGIN{print $peak_rss_kb/1024}")")
done
summary "start-up to first painted page (Q7300FW, demo)" ms "< 400" "${paint[@]}"
summary "peak resident memory, demo mode" MiB "< 80" "${rss[@]}"

# ---- reading the whole page from the simulated device
echo "bench: page read against q7300-sim ($reps runs)" >&2
# Short cycles (256 frames, 5 ms): a request and its reply each wait for a
# cycle, and at the usual 21 ms that round trip outlasts a 30 ms pump tick, so
# the figure would measure the JACK period rather than the editor.
start_jack "q7300-bench-$$" "$tmp/jackd.log" 256 \
  || { echo "bench: the JACK server did not start: $(tail -n 3 "$tmp/jackd.log")" >&2; exit 1; }
pids+=("$jack_pid")
sync_ms=() ratio=() sync_rss=() sync_private=()
for r in $(seq "$reps"); do
  port="Bench $r"
  "$prefix/bin/q7300-sim" --model Q7300FW --api jack --port-name "$port" --log >"$tmp/sim.log" 2>&1 &
  sim_pid=$!
  printf '[main]\nmachine=2\nlocal=0\n' >"$ini"
  "$prefix/bin/q7300-sim" --api jack --configure-editor --port-name "$port" --wait 15 >/dev/null \
    || { echo "bench: the simulator's ports did not appear" >&2; exit 1; }
  (cd "$tmp/work" && exec "$prefix/bin/q7300-routing") >"$tmp/editor.log" 2>&1 &
  editor_pid=$!
  wait_page_read "$tmp/sim.log" 1 120
  sync_rss+=("$(awk '/VmHWM/{print $2/1024}' "/proc/$editor_pid/status")")
  # The MIDI service's shared memory counts in the resident size; this is the
  # editor's own part.
  sync_private+=("$(awk '/^Private_(Clean|Dirty):/{kb += $2} END{print kb/1024}' "/proc/$editor_pid/smaps_rollup")")
  stop_pid "$editor_pid"
  stop_pid "$sim_pid"
  line=$(python3 - "$tmp/sim.log" <<'EOF'
import re, sys
def ms(stamp):
    h, m, s = stamp.split(":")
    return (int(h) * 60 + int(m)) * 60000 + float(s) * 1000
first = last = None
requests = 0
for line in open(sys.argv[1]):
    m = re.match(r"(\d\d:\d\d:\d\d\.\d\d\d) (in |out) .*command (\d+)", line)
    if not m:
        continue
    t, way, cmd = ms(m.group(1)), m.group(2), int(m.group(3))
    if way == "in " and cmd in (49, 59):
        requests += 1
        if first is None:
            first = t
    if way == "out" and cmd in (50, 60, 46):
        last = t
if first is None or last is None or requests == 0:
    sys.exit(1)
took = last - first
print("%.1f %.3f %d" % (took, took / (requests * 30.0), requests))
EOF
) || { echo "bench: the device's log shows no page read" >&2; tail "$tmp/sim.log" >&2; exit 1; }
  read -r took r30 requests <<<"$line"
  sync_ms+=("$took") ratio+=("$r30")
done
summary "page read of Q7300FW ($requests requests)" ms "-" "${sync_ms[@]}"
summary "page read / bound (requests x 30 ms)" ratio "about 1" "${ratio[@]}"
summary "peak resident memory, connected (with the JACK client's shared memory)" MiB "< 80" "${sync_rss[@]}"
summary "private memory after the page read, connected" MiB "< 80" "${sync_private[@]}"

# ---- the table
python3 - "$results" "$reps" "$(nproc)" <<'EOF' | tee "$build/bench-table.md"
import sys
rows = [l.rstrip("\n").split("\t") for l in open(sys.argv[1]) if l.strip()]
print("Measured with `tools/bench.sh` (%s repetitions asked, %s CPU cores, a shared machine)." % (sys.argv[2], sys.argv[3]))
print("Spread is the lowest and highest repetition; CV is the standard deviation over the mean.")
print()
print("| figure | median | unit | spread | CV | reps | target |")
print("|---|---:|---|---|---:|---:|---|")
def fmt(x):
    if x == "":
        return ""
    x = float(x)
    return ("%.3g" % x) if abs(x) < 1000 else ("%.0f" % x)
for name, unit, target, reps, med, lo, hi, cv in rows:
    spread = "%s-%s" % (fmt(lo), fmt(hi)) if lo else "-"
    print("| %s | %s | %s | %s | %s%% | %s | %s |" % (name, fmt(med), unit, spread, cv, reps, target))
EOF
