#!/usr/bin/env bash
# Configures, builds and runs every test: a short fuzzing campaign of every
# fuzz target under AddressSanitizer and UndefinedBehaviorSanitizer, then the
# whole CTest suite (unit, widget, MIDI-over-JACK, simulator, end-to-end,
# fault, lint and corpus-replay tests).
# Usage: tools/test.sh [build-dir]
# Environment: FUZZ_SECONDS  seconds per fuzz target (default 60, 0 skips the campaign)
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
jobs=$(nproc 2>/dev/null || echo 2)
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)
cmake -S "$here" -B "$build" "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo || exit 1
cmake --build "$build" -j "$jobs" || exit 1

fuzz_status=0
seconds=${FUZZ_SECONDS:-60}
if [ "$seconds" -gt 0 ]; then
  FUZZ_BUILD="$build-fuzz" FUZZ_JOBS="$jobs" bash "$here/tools/fuzz.sh" "$seconds" || fuzz_status=$?
  [ $fuzz_status -eq 0 ] || echo "fuzzing found a fault (see $build-fuzz/fuzz/*.log)"
fi

cd "$build" || exit 1
ctest --output-on-failure -j "$jobs" --timeout 600
ctest_status=$?
[ $ctest_status -eq 0 ] && [ $fuzz_status -eq 0 ]
