#!/usr/bin/env bash
# Installs what is needed, builds Marrowbook and starts the desktop program
# with the given arguments (for example a project file to open).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" "$root/build"
exec "$root/build/bin/marrowbook" "$@"
