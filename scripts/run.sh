#!/usr/bin/env bash
# Installs what is needed, builds Marrowbook and starts the program with the
# given arguments (for example a project file to open).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" "$root/build"
program=$root/build/bin/marrowbook
if [ ! -x "$program" ]; then
    echo "The desktop program is not built yet: this version holds the headless libraries" >&2
    echo "and the command-line tool, $root/build/bin/marrowbook-cli (try --help)." >&2
    exit 1
fi
exec "$program" "$@"
