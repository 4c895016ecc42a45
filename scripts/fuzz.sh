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
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMB_FUZZ=ON -DMB_TESTS=OFF -DMB_BENCH=OFF \
    -DMB_WERROR="${MB_WERROR:-OFF}" >/dev/null
cmake --build "$build"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for harness in "$build"/bin/fuzz_*; do
    name=$(basename "$harness")
    [ -n "$only" ] && [ "$name" != "$only" ] && continue
    seeds=$root/fuzz/corpus/${name#fuzz_}
    work=$build/corpus/${name#fuzz_}
    log=$build/$name.log
    mkdir -p "$work"
    [ -d "$seeds" ] && cp -n "$seeds"/* "$work"/ 2>/dev/null || true
    echo "Fuzzing $name for ${seconds}s"
    if ! "$harness" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=4096 \
        "$work" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "FAILED: $name (log: $log)"
        exit 1
    fi
    grep -E '^stat::number_of_executed_units' "$log" || true
done
