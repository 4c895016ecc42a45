#!/usr/bin/env bash
# Installs the build into a scratch folder (DESTDIR, prefix /usr, as the
# Debian package does) and runs both programs from there: they load their
# libraries from the installed tree, print the project's version, the
# command-line tool makes and compiles a project, and the desktop program
# finds its help file in the installed tree and opens its main window
# without a display.
# Usage: installed_tree.sh <build folder> <version>
set -uo pipefail
build=$(realpath "$1")
version=$2

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

work=$(mktemp -d "$build/installed-tree.XXXXXX")
trap 'rm -rf "$work"' EXIT
root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null || {
    echo "FAIL: cmake --install"
    exit 1
}
unset LD_LIBRARY_PATH
export MARROWBOOK_HOME=$work/home
cli=$root/usr/bin/marrowbook-cli
gui=$root/usr/bin/marrowbook

# Every library of ours that a program loads comes from the installed tree.
library_folder=$(realpath "$(dirname "$(find "$root/usr" -name libbaseutil.so -print -quit)")")
[[ $library_folder == "$(realpath "$root")"/usr/lib*/marrowbook ]] ||
    fail "the libraries are in ${library_folder#"$root"}, not in a private folder of lib"
check_libraries() {
    local program=$1 loaded name path
    loaded=$(ldd "$program") || fail "ldd $program"
    grep -q "not found" <<<"$loaded" && fail "$program misses libraries: $loaded"
    local ours=0
    while read -r name path; do
        [ -e "$library_folder/$name" ] || continue
        ours=$((ours + 1))
        [ "$(realpath "$path")" = "$library_folder/$name" ] ||
            fail "$program loads $name from $path"
    done < <(awk '$2 == "=>" { print $1, $3 }' <<<"$loaded")
    [ "$ours" -gt 0 ] || fail "$program loads none of the installed libraries"
}

# The command-line tool.
check_libraries "$cli"
[ "$("$cli" --version)" = "marrowbook-cli $version" ] || fail "marrowbook-cli --version: $("$cli" --version)"
mkdir -p "$work/guide/pages"
printf '<html><head><title>Welcome</title></head><body><p>Hello.</p></body></html>\n' \
    >"$work/guide/pages/welcome.htm"
"$cli" --quiet new "$work/guide/guide.mbk" --title "Guide" --add-folder "$work/guide/pages" \
    >/dev/null || fail "marrowbook-cli new"
"$cli" --quiet compile "$work/guide/guide.mbk" >/dev/null || fail "marrowbook-cli compile"
[ -s "$work/guide/guide.chm" ] || fail "compile made no guide.chm"
"$cli" list "$work/guide/guide.chm" | grep -q "welcome.htm" || fail "the help file lacks welcome.htm"

# The desktop program, when it is built.
if [ -x "$build/bin/marrowbook" ]; then
    [ -x "$gui" ] || fail "marrowbook is not installed"
    check_libraries "$gui"
    export QT_QPA_PLATFORM=offscreen
    [ "$("$gui" --version)" = "marrowbook $version" ] || fail "marrowbook --version: $("$gui" --version)"
    help_file=$("$gui" --help | sed -n "s/^The program's own help file: //p")
    [ "$help_file" = "$root/usr/share/marrowbook/marrowbook.chm" ] ||
        fail "marrowbook looks for its help file at $help_file"
    cmp -s "$help_file" "$build/bin/marrowbook.chm" || fail "the installed help file is not the built one"
    # The main window opens from the installed tree, with a project.
    timeout 60 "$gui" --screenshot "$work/main.png" "$work/guide/guide.mbk" >/dev/null 2>&1 ||
        fail "marrowbook --screenshot ended with status $?"
    [ "$(head -c 4 "$work/main.png" 2>/dev/null | tail -c 3)" = PNG ] || fail "marrowbook made no picture"
    # The desktop entry, the AppStream file and the icon go together.
    checked=$(appstreamcli validate-tree --no-net "$root/usr" 2>&1) ||
        fail "appstreamcli validate-tree: $checked"
fi

[ "$failures" -eq 0 ] || exit 1
echo "installed tree: both programs run from it"
