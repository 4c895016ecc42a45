#!/usr/bin/env bash
# Takes the README's picture of the main window: builds Marrowbook, makes a
# small sample project with marrowbook-cli and starts the program on it on
# a virtual X display (xvfb-run), which saves docs/screenshots/main-window.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" "$root/build"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/guide/pages" "$work/home"
for page in Welcome Installing "First Steps" Settings; do
    printf '<html><head><title>%s</title></head><body><h1>%s</h1></body></html>\n' \
        "$page" "$page" > "$work/guide/pages/${page// /-}.htm"
done
export MARROWBOOK_HOME=$work/home
"$root/build/bin/marrowbook-cli" --quiet new "$work/guide/guide.mbk" --title "User Guide" \
    --add-folder "$work/guide/pages"
mkdir -p "$root/docs/screenshots"
xvfb-run -a -s "-screen 0 1280x800x24" \
    "$root/build/bin/marrowbook" "$work/guide/guide.mbk" \
    --screenshot "$root/docs/screenshots/main-window.png"
echo "Wrote $root/docs/screenshots/main-window.png"
