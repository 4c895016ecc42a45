#!/usr/bin/env bash
# Builds with ThreadSanitizer and runs the tests whose work spans threads.
# Usage: scripts/tsan.sh [test function ...]
#            the desktop program's window test that sends log lines from a
#            worker thread while a question is on screen (or the functions
#            named);
#        scripts/tsan.sh --decompile
#            the decompile and handheld tests, which work on one and on two workers
#            (only the compiled-help library and its tests are built).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-tsan
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DMB_BENCH=OFF -DMB_WERROR="${MB_WERROR:-OFF}"
    -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread
    -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread)
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export MARROWBOOK_HOME=$home
export TSAN_OPTIONS="suppressions=$root/scripts/tsan.supp halt_on_error=1"

if [ "${1:-}" = "--decompile" ]; then
    "$root/scripts/deps.sh"
    cmake -S "$root" -B "$build" -G Ninja "${options[@]}" >/dev/null
    cmake --build "$build" --target compiledhelp_tests -j2
    "$build/bin/compiledhelp_tests" --gtest_filter='LargeHelpFileTest.*:DecompileTest.*:HandheldTest.*'
    exit
fi

"$root/scripts/build.sh" "$build" "${options[@]}"
tests=("$@")
[ ${#tests[@]} -gt 0 ] || tests=(logLinesFromAWorkerArriveInOrderWhileAQuestionIsOpen)
QT_QPA_PLATFORM=offscreen "$build/bin/gui_tests" "${tests[@]}"
