#!/usr/bin/env bash
# Installs what is needed, builds everything, runs all unit tests, runs the
# decompile tests, which work on several threads, under ThreadSanitizer,
# then runs each fuzz harness briefly on its seed corpus under ASan/UBSan.
# Usage: scripts/test.sh            (tests + sanitizer runs + short fuzz runs)
#        MB_FUZZ_SECONDS=0 scripts/test.sh   (no fuzz runs)
#        MB_TSAN=0 scripts/test.sh           (no ThreadSanitizer run)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Every build below (GCC, and clang for the fuzzers) treats warnings as errors.
export MB_WERROR=ON

"$root/scripts/build.sh" "$root/build" -DMB_WERROR=ON
ctest --test-dir "$root/build" --output-on-failure -j"$(nproc)"

if [ "${MB_TSAN:-1}" != 0 ]; then
    "$root/scripts/tsan.sh" --decompile
fi

seconds=${MB_FUZZ_SECONDS:-20}
if [ "$seconds" -gt 0 ]; then
    "$root/scripts/fuzz.sh" "$seconds"
fi
echo "All tests passed."
