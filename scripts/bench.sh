#!/usr/bin/env bash
# Builds in release mode and runs every benchmark; each prints its figures
# and exits non-zero when it misses its target.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" "$root/build-release" -DCMAKE_BUILD_TYPE=Release -DMB_TESTS=OFF
status=0
for bench in "$root"/build-release/bin/bench_*; do
    echo "== $(basename "$bench")"
    "$bench" || status=1
done
# Script benchmarks time our programs against other programs.
for bench in "$root"/bench/*_bench.sh; do
    echo "== $(basename "$bench")"
    "$bench" "$root/build-release/bin" || status=1
done
exit $status
