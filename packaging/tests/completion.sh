#!/usr/bin/env bash
# Calls the bash completion of marrowbook-cli as bash does (COMP_WORDS,
# COMP_CWORD) in a folder of files of every kind, and checks what it offers.
# Usage: completion.sh <folder of the completion file> <marrowbook-cli>
set -uo pipefail
source "$1/marrowbook-cli.bash"
cli=$(realpath "$2")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
touch guide.mbk OLD.MBK "my guide.mbk" legacy.hhp vendor.chm notes.txt
mkdir pages

failures=0
# expect "<offers, sorted, one space apart>" <words after the program...>
expect() {
    local expected=$1
    shift
    COMP_WORDS=("$cli" "$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _marrowbook_cli
    local offered
    offered=$(printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | LC_ALL=C sort | paste -sd' ')
    if [ "$offered" != "$expected" ]; then
        echo "FAIL: marrowbook-cli $* offers [$offered], expected [$expected]"
        failures=$((failures + 1))
    fi
}

# Commands, then the files each argument takes and the folders to reach them.
expect "compile context-map" co
expect "OLD.MBK guide.mbk my guide.mbk pages" compile ""
expect "legacy.hhp pages" import-hhp ""
expect "OLD.MBK guide.mbk my guide.mbk pages" import-hhp legacy.hhp ""
expect "" import-hhp legacy.hhp guide.mbk ""
expect "pages vendor.chm" decompile vendor.chm ""
expect "pages vendor.chm" --quiet list ""
# Options: those of the command and those of every command.
expect "--help --keep --quiet --timeout --version --yes" compile --
expect "--help --quiet --version --yes" --
# Option values: folders for DIR, nothing for other values, and a value is
# no argument.
expect "pages" decompile --output ""
expect "pages" new --add-folder p
expect "" compile --timeout ""
expect "OLD.MBK guide.mbk my guide.mbk pages" --yes compile --timeout 10 ""
expect "pages vendor.chm" handheld --output pages ""
# After "--" every word is an argument.
expect "" compile -- guide.mbk ""

[ "$failures" -eq 0 ] || exit 1
echo "completion: all offers as expected"
