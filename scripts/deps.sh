#!/usr/bin/env bash
# Installs the Debian packages Marrowbook needs to build, test and fuzz.
# Idempotent: packages already present are skipped, and apt-get runs only
# when something is missing.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    libexpat1-dev libxml2-dev
    googletest libgtest-dev libgmock-dev
    clang libclang-rt-14-dev
    xdg-utils libfile-mimeinfo-perl
    fp-utils
    libmspack-dev libchm-bin
    doxygen python3-sphinx python3-sphinxcontrib.htmlhelp
    qt6-base-dev qt6-webengine-dev
    xvfb xauth
    desktop-file-utils appstream shared-mime-info man-db
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
run_as_root=()
if [ "$(id -u)" -ne 0 ]; then
    run_as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${run_as_root[@]}" apt-get update -qq
"${run_as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
