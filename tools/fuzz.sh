#!/usr/bin/env bash
# Builds the fuzz targets with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (libFuzzer) and runs each for a while.
#
# Usage: tools/fuzz.sh [seconds-per-target] [target ...]
#   seconds-per-target  default 60; 0 only builds
#   target              default every target: sysex_assembly nibble_blocks
#                       panel_description preset_reader editor_replies
# Environment: FUZZ_BUILD  build folder (default <repo>/build-fuzz-clang)
#              FUZZ_JOBS   build jobs (default 2)
#              FUZZ_ARGS   extra libFuzzer options, e.g. "-jobs=2 -workers=2"
#
# Each target reads the committed corpus (fuzz/corpus/<target>) and regression
# inputs (fuzz/regressions/<target>) and writes what it finds to a working
# corpus in the build folder, which later runs start from. A crashing input is
# written to <build>/fuzz/artifacts/<target>/; copy it to
# fuzz/regressions/<target>/ so that the replay tests keep it. Exits nonzero
# when any target failed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
[[ $# -gt 0 ]] && shift
all=(sysex_assembly nibble_blocks panel_description preset_reader editor_replies)
targets=("$@")
[[ ${#targets[@]} -eq 0 ]] && targets=("${all[@]}")
build=${FUZZ_BUILD:-$here/build-fuzz-clang}
jobs=${FUZZ_JOBS:-2}

sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
start=$(date +%s)
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQ7300_TESTS=OFF -DQ7300_BENCH=OFF \
    -DQ7300_FUZZ=ON -DQ7300_LIBFUZZER=ON \
    -DCMAKE_CXX_FLAGS="$sanitize -fsanitize=fuzzer-no-link" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize" >/dev/null
cmake --build "$build" -j "$jobs" --target "${targets[@]/#/fuzz_}"
echo "build: $(($(date +%s) - start)) s"
[[ $seconds -eq 0 ]] && exit 0

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:symbolize=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/fuzz/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
failed=()
summary=()
for t in "${targets[@]}"; do
    work=$build/fuzz/corpus-work/$t
    artifacts=$build/fuzz/artifacts/$t
    mkdir -p "$work" "$artifacts"
    inputs=("$work" "$here/fuzz/corpus/$t")
    [[ -d $here/fuzz/regressions/$t ]] && inputs+=("$here/fuzz/regressions/$t")
    log=$build/fuzz/$t.log
    echo "== $t: ${seconds} s (log $log)"
    # shellcheck disable=SC2086
    if "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=4096 -print_final_stats=1 -artifact_prefix="$artifacts/" \
        ${FUZZ_ARGS:-} "${inputs[@]}" >"$log" 2>&1; then
        result=ok
    else
        result=FAILED
        failed+=("$t")
        grep -E "ERROR|SUMMARY|fuzz check failed|runtime error|Test unit written" "$log" | head -20 || true
    fi
    runs=$(grep -oE "stat::number_of_executed_units: *[0-9]+" "$log" | grep -oE "[0-9]+$" || echo "?")
    rate=$(grep -oE "stat::average_exec_per_sec: *[0-9]+" "$log" | grep -oE "[0-9]+$" || echo "?")
    # libFuzzer's last status line: edges covered (cov) and features (ft).
    last=$(grep -E "^#[0-9]+[[:space:]].*cov: " "$log" | tail -1 || true)
    cov=$(grep -oE "cov: [0-9]+" <<<"$last" | grep -oE "[0-9]+" || echo "?")
    ft=$(grep -oE "ft: [0-9]+" <<<"$last" | grep -oE "[0-9]+" || echo "?")
    summary+=("$(printf '%-18s %-6s %11s runs %7s/s  cov %5s  ft %6s  corpus %s files' "$t" "$result" \
        "$runs" "$rate" "$cov" "$ft" "$(find "$work" -type f | wc -l)")")
done
printf '%s\n' "${summary[@]}"
if [[ ${#failed[@]} -gt 0 ]]; then
    echo "failed: ${failed[*]}" >&2
    exit 1
fi
