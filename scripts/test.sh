#!/usr/bin/env bash
# Installs what is needed, builds everything, runs all unit tests, then runs
# each fuzz harness briefly on its seed corpus under ASan/UBSan.
# Usage: scripts/test.sh            (tests + short fuzz runs)
#        MB_FUZZ_SECONDS=0 scripts/test.sh   (tests only)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/build.sh" "$root/build"
ctest --test-dir "$root/build" --output-on-failure -j"$(nproc)"

seconds=${MB_FUZZ_SECONDS:-20}
if [ "$seconds" -gt 0 ]; then
    "$root/scripts/fuzz.sh" "$seconds"
fi
echo "All tests passed."
