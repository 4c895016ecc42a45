#!/usr/bin/env bash
# Fetches and generates the real help projects that the real-material tests
# run on, none of them written here:
#   - HTML Help projects shipped in Debian packages (eviacam in six languages,
#     xmlcopyeditor, the wxWidgets help samples), fetched with apt-get download
#     and unpacked with dpkg-deb -x;
#   - CMake's help (reStructuredText from Debian's cmake-data) made into an
#     HTML Help project by Sphinx's htmlhelp builder;
#   - Doxygen's HTML Help output over libxml2's installed headers.
# Each project is then compiled with chmcmd into a reference help file.
#
# Usage: prepare_material.sh OUTPUT_FOLDER
# Layout of OUTPUT_FOLDER:
#   source/<group>/...      the projects as made (never changed by the tests)
#   reference/<group>/...   a copy of source/<group> with each .chm compiled
# The work is done again only when this script or its inputs change; a failed
# fetch or generation fails the script (and so the tests that need it).
set -euo pipefail

out=${1:?usage: prepare_material.sh OUTPUT_FOLDER}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)

stamp_text=$(cat "$here/prepare_material.sh" "$here"/cmake-sphinx/*.py | sha256sum | cut -d' ' -f1)
if [ -f "$out/ready" ] && [ "$(cat "$out/ready")" = "$stamp_text" ]; then
    echo "Real material is ready in $out"
    exit 0
fi
rm -f "$out/ready"
rm -rf "$out/source" "$out/reference" "$out/unpacked"

packages=(eviacam xmlcopyeditor wx3.2-examples cmake-data)
mkdir -p "$out/debs"
fetch() {
    (cd "$out/debs" && apt-get download "${packages[@]}" 2>&1)
}
if ! fetch >"$out/fetch.log"; then
    # Package lists missing or stale (a fresh machine): refresh them and retry.
    run_as_root=()
    [ "$(id -u)" -ne 0 ] && run_as_root=(sudo)
    "${run_as_root[@]}" apt-get update -qq
    fetch >"$out/fetch.log" || { cat "$out/fetch.log" >&2; exit 1; }
fi
for package in "${packages[@]}"; do
    deb=$(ls "$out/debs/${package}"_*.deb | sort -V | tail -n 1)
    dpkg-deb -x "$deb" "$out/unpacked"
done

src="$out/source"
mkdir -p "$src"
u="$out/unpacked/usr/share"
cp -r "$u/eviacam/help" "$src/eviacam"
cp -r "$u/xmlcopyeditor/help" "$src/xmlcopyeditor"
cp -r "$u/doc/wx3.2-examples/examples/samples/html/help/helpfiles" "$src/wxhelp"

# CMake's help through Sphinx. The stand-in for CMake's own Sphinx extension
# lies beside this script; the module pages read ../../Modules/*.cmake.
cmake_help=$(ls -d "$u"/cmake-*/Help | sort -V | tail -n 1)
/usr/bin/python3 -m sphinx -q -Q -j 2 -b htmlhelp -c "$here/cmake-sphinx" -d "$out/sphinx-doctrees" \
    "$cmake_help" "$src/cmake"
rm -rf "$out/sphinx-doctrees"

# Doxygen over the headers of libxml2 (libxml2-dev).
mkdir -p "$out/doxygen"
cat >"$out/doxygen/Doxyfile" <<DOXYFILE
PROJECT_NAME = "libxml2"
OUTPUT_DIRECTORY = $out/doxygen/out
INPUT = /usr/include/libxml2/libxml
FILE_PATTERNS = *.h
EXTRACT_ALL = YES
GENERATE_HTML = YES
GENERATE_LATEX = NO
GENERATE_HTMLHELP = YES
HHC_LOCATION =
CHM_FILE = libxml2.chm
HAVE_DOT = NO
SEARCHENGINE = NO
QUIET = YES
WARNINGS = NO
WARN_LOGFILE = $out/doxygen/warnings.log
DOXYFILE
(cd "$out/doxygen" && doxygen Doxyfile >/dev/null)
mv "$out/doxygen/out/html" "$src/libxml2"
rm -rf "$out/doxygen" "$out/unpacked"

# The references: chmcmd on each original project, in a copy of its group.
# (wxhelp/another.hhp names no compiled file, which chmcmd cannot handle, so
# it has no reference.)
references=(
    eviacam/ca/help.hhp eviacam/de/help.hhp eviacam/en/help.hhp eviacam/es/help.hhp
    eviacam/gl/help.hhp eviacam/ru/help.hhp xmlcopyeditor/xmlcopyeditor.hhp
    wxhelp/testing.hhp cmake/CMake.hhp libxml2/index.hhp
)
cp -r "$src" "$out/reference"
for hhp in "${references[@]}"; do
    folder=$(dirname "$out/reference/$hhp")
    name=$(basename "$hhp")
    if ! (cd "$folder" && chmcmd "$name" >"$name.log" 2>&1); then
        echo "chmcmd failed on $hhp:" >&2
        tail -n 20 "$folder/$name.log" >&2
        exit 1
    fi
done

echo "$stamp_text" >"$out/ready"
echo "Real material is ready in $out"
