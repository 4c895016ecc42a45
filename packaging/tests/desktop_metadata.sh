#!/usr/bin/env bash
# The desktop's metadata: the desktop entry passes desktop-file-validate, the
# AppStream file passes appstreamcli (without the network: its screenshots
# are web addresses), and the project file type is known by its contents: a
# project saved by the tool and renamed is still a project, any other XML
# document is not.
# Usage: desktop_metadata.sh <desktop folder> <AppStream id> <marrowbook-cli>
set -uo pipefail
desktop=$1
metainfo_id=$2
cli=$3

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

output=$(desktop-file-validate "$desktop/marrowbook.desktop" 2>&1) && [ -z "$output" ] ||
    fail "desktop-file-validate: $output"
output=$(appstreamcli validate --no-net --strict "$desktop/$metainfo_id.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $output"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A MIME database of the system's types and ours alone.
mkdir -p "$work/mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$work/mime/packages/"
cp "$desktop/marrowbook-mime.xml" "$work/mime/packages/marrowbook.xml"
XDG_DATA_DIRS=$work update-mime-database "$work/mime" || fail "update-mime-database refused the types"
type_of() {
    mimetype --brief --database="$work/mime" "$1"
}

MARROWBOOK_HOME=$work/home "$cli" --quiet new "$work/guide/guide.mbk" >/dev/null ||
    fail "marrowbook-cli new failed"
cp "$work/guide/guide.mbk" "$work/renamed"
printf '<?xml version="1.0"?>\n<catalog/>\n' >"$work/other"
for file in guide/guide.mbk renamed; do
    type=$(type_of "$work/$file")
    [ "$type" = application/x-marrowbook-project ] || fail "$file is $type"
done
type=$(type_of "$work/other")
[ "$type" = application/xml ] || fail "another XML document is $type"

[ "$failures" -eq 0 ] || exit 1
echo "desktop metadata: valid, and a renamed project is known by its contents"
