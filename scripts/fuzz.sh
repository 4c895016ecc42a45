#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (ASan + UBSan) and runs each one
# for the given number of seconds on a copy of its seed corpus.
# Usage: scripts/fuzz.sh [seconds-per-harness] [harness-name]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
only=${2:-}
build=$root/build-fuzz

"$root/scripts/deps.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMB_FUZZ=ON -DMB_TESTS=OFF -DMB_BENCH=OFF >/dev/null
cmake --build "$build"

for harness in "$build"/bin/fuzz_*; do
    name=$(basename "$harness")
    [ -n "$only" ] && [ "$name" != "$only" ] && continue
    seeds=$root/fuzz/corpus/${name#fuzz_}
    work=$build/corpus/${name#fuzz_}
    mkdir -p "$work"
    [ -d "$seeds" ] && cp -n "$seeds"/* "$work"/ 2>/dev/null || true
    echo "Fuzzing $name for ${seconds}s"
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "$harness" -max_total_time="$seconds" -print_final_stats=1 "$work" 2>&1 \
        | grep -E '^(#|stat::number_of_executed_units|==|SUMMARY|Done)' | tail -n 4
    test "${PIPESTATUS[0]}" -eq 0
done
