#!/usr/bin/env bash
# Takes the README's pictures of the main window: builds Marrowbook, makes a
# small sample project with marrowbook-cli and starts the program on it on
# a virtual X display (xvfb-run) once per picture, each time with another
# tab of the right pane in front.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" "$root/build"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A home folder of its own, so that the folder explorer shows only the sample.
export HOME=$work/user
guide=$HOME/Documents/guide
mkdir -p "$guide/pages" "$work/home"
for page in Welcome Installing "First Steps" Settings; do
    printf '<html><head><title>%s</title></head><body><h1>%s</h1></body></html>\n' \
        "$page" "$page" > "$guide/pages/${page// /-}.htm"
done
export MARROWBOOK_HOME=$work/home
"$root/build/bin/marrowbook-cli" --quiet new "$guide/guide.mbk" --title "User Guide" \
    --add-folder "$guide/pages"
mkdir -p "$root/docs/screenshots"
shoot() { # picture name, right tab
    xvfb-run -a -s "-screen 0 1280x800x24" \
        "$root/build/bin/marrowbook" "$guide/guide.mbk" \
        --screenshot "$root/docs/screenshots/$1.png" --right-tab "$2"
    echo "Wrote $root/docs/screenshots/$1.png"
}
shoot main-window 0
shoot entry-editor 2

# The program's own help, turned into a project as Open CHM does: the
# contents tree and the page preview of a real help file.
cp "$root/build/bin/marrowbook.chm" "$HOME/Documents/"
"$root/build/bin/marrowbook-cli" --quiet open-chm "$HOME/Documents/marrowbook.chm"
help_project=$(ls "$HOME"/Documents/*/marrowbook.mbk | head -n 1)
xvfb-run -a -s "-screen 0 1280x800x24" "$root/build/bin/marrowbook" "$help_project" \
    --screenshot "$root/docs/screenshots/project-views.png" --right-tab 1
echo "Wrote $root/docs/screenshots/project-views.png"

# The program's help shows some of these pictures: it gets the new ones.
for picture in "$root"/docs/help/images/*.png; do
    cp "$root/docs/screenshots/$(basename "$picture")" "$picture"
done
echo "Refreshed the pictures in $root/docs/help/images"
