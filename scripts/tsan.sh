#!/usr/bin/env bash
# Builds the desktop program's window tests with ThreadSanitizer and runs
# the test that sends log lines from a worker thread while a question is on
# screen. Usage: scripts/tsan.sh [test function ...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-tsan
"$root/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMB_BENCH=OFF \
    -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread \
    -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
tests=("$@")
[ ${#tests[@]} -gt 0 ] || tests=(logLinesFromAWorkerArriveInOrderWhileAQuestionIsOpen)
QT_QPA_PLATFORM=offscreen MARROWBOOK_HOME=$home \
    TSAN_OPTIONS="suppressions=$root/scripts/tsan.supp halt_on_error=1" \
    "$build/bin/gui_tests" "${tests[@]}"
