#!/usr/bin/env bash
# Builds the Debian packages marrowbook and marrowbook-cli from this source
# tree (dpkg-buildpackage -b) and checks them with lintian, which must find
# no error and no warning. Installs what it needs with apt-get: dpkg-dev,
# lintian and the Build-Depends of debian/control.
# Usage: scripts/package.sh [output folder]        (default: build/packages/)
# Install the result with: sudo apt install ./build/packages/marrowbook*.deb
# DEB_BUILD_OPTIONS is passed on (default: parallel=<number of cores>).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/packages}
mkdir -p "$out"
out=$(cd "$out" && pwd)

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi
apt_get() {
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "$@"
}
updated=""
apt_update_once() {
    [ -n "$updated" ] || apt_get update -qq
    updated=1
}

tools=()
for tool in dpkg-dev lintian; do
    dpkg-query -W -f='${Status}' "$tool" 2>/dev/null | grep -q '^install ok installed$' ||
        tools+=("$tool")
done
if [ ${#tools[@]} -gt 0 ]; then
    apt_update_once
    apt_get install -y -qq --no-install-recommends "${tools[@]}"
fi
if ! (cd "$root" && dpkg-checkbuilddeps >/dev/null 2>&1); then
    build_depends=$(perl -MDpkg::Control::Info -e \
        'print Dpkg::Control::Info->new($ARGV[0])->get_source->{"Build-Depends"}' \
        "$root/debian/control")
    apt_update_once
    apt_get satisfy -y -qq --no-install-recommends "$build_depends"
fi

# dpkg-buildpackage writes its results beside the source folder and its
# build files into it: it works on a copy, without the build folders.
work=$(mktemp -d "$out/work.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/marrowbook"
tar -C "$root" --exclude='./build*' --exclude=./.git --exclude=./fuzz/corpus-run -cf - . |
    tar -C "$work/marrowbook" -xf -
if [[ ${DEB_BUILD_OPTIONS:-} != *parallel=* ]]; then
    export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-} parallel=$(nproc)"
fi
(cd "$work/marrowbook" && dpkg-buildpackage -b -us -uc)

rm -f "$out"/marrowbook*.deb "$out"/debug/marrowbook*.deb "$out"/marrowbook_*.changes "$out"/marrowbook_*.buildinfo
mv "$work"/*.deb "$work"/*.changes "$work"/*.buildinfo "$out"/

lintian --fail-on error,warning "$out"/marrowbook_*.changes | tee "$out/lintian.txt"
# The debug symbols apart, so that ./marrowbook*.deb names the programs only.
mkdir -p "$out/debug"
for debug in "$out"/marrowbook*-dbgsym_*.deb; do
    [ -e "$debug" ] && mv "$debug" "$out/debug/"
done
echo "Packages in $out (debug symbols in $out/debug):"
ls -l "$out"/*.deb
