#!/usr/bin/env bash
# The manual pages say what the programs' --help says: every command of
# marrowbook-cli has its section, headed by its usage and naming each of its
# options; every option of --help is in the page; and the pages name no
# option that the programs do not have. Each page formats without warnings.
# Usage: man_pages.sh <man folder> <marrowbook-cli> [<marrowbook>]
set -uo pipefail
man_folder=$1
cli=$2
gui=${3:-}

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# A page's source as plain text: font changes dropped, "\-" as "-".
plain_source() {
    sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' "$1"
}
# The option lines' names of a help text ("  --name ...").
help_options() {
    sed -n 's/^  \(--[a-z][a-z-]*\).*/\1/p'
}
# The options a text names anywhere.
named_options() {
    grep -o -- '--[a-z][a-z-]*' | sort -u
}
# The lines of section $2 (".SH NAME" or ".SS name") of plain page text $1,
# up to the next heading of that level or above.
section() {
    awk -v heading="$2" '
        index($0, heading) == 1 { inside = 1; print; next }
        inside && (/^\.SH/ || (heading ~ /^\.SS/ && /^\.SS/)) { inside = 0 }
        inside { print }' <<<"$1"
}
# Whether text $1 names option $2 as a word of its own.
names_option() {
    grep -qE -- "(^|[^a-z-])$2([^a-z-]|\$)" <<<"$1"
}
formats_cleanly() {
    local warnings
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$1" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$1 formats with warnings: $warnings"
}

# marrowbook-cli(1)
page_file=$man_folder/marrowbook-cli.1
formats_cleanly "$page_file"
page=$(plain_source "$page_file")
overview=$("$cli" --help) || fail "marrowbook-cli --help failed"
known=$(sed -n '/^Options for every command:/,$p' <<<"$overview" | help_options)
options_section=$(section "$page" ".SH OPTIONS")
for option in $known; do
    names_option "$options_section" "$option" || fail "marrowbook-cli.1 OPTIONS lacks $option"
done
commands=$(sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p' <<<"$overview")
[ -n "$commands" ] || fail "marrowbook-cli --help lists no commands"
for command in $commands; do
    help=$("$cli" "$command" --help) || fail "marrowbook-cli $command --help failed"
    usage=$(sed -n "1s/^Usage: marrowbook-cli $command //p" <<<"$help" | tr -d '<>')
    heading=$(grep -m1 "^\.SS $command " <<<"$page")
    if [ "$heading" != ".SS $command $usage" ]; then
        fail "marrowbook-cli.1 heads $command with \"$heading\", its usage is \"$command $usage\""
        continue
    fi
    text=$(section "$page" ".SS $command ")
    for option in $(help_options <<<"$help"); do
        names_option "$text" "$option" || fail "marrowbook-cli.1 section $command lacks $option"
        known+=$'\n'$option
    done
done
for option in $(named_options <<<"$page"); do
    grep -qx -- "$option" <<<"$known" || fail "marrowbook-cli.1 names $option, which no --help has"
done

# marrowbook(1)
if [ -n "$gui" ]; then
    page_file=$man_folder/marrowbook.1
    formats_cleanly "$page_file"
    page=$(plain_source "$page_file")
    known=$("$gui" --help | help_options) || fail "marrowbook --help failed"
    [ -n "$known" ] || fail "marrowbook --help lists no options"
    options_section=$(section "$page" ".SH OPTIONS")
    for option in $known; do
        names_option "$options_section" "$option" || fail "marrowbook.1 OPTIONS lacks $option"
    done
    for option in $(named_options <<<"$page"); do
        grep -qx -- "$option" <<<"$known" || fail "marrowbook.1 names $option, which --help has not"
    done
fi

[ "$failures" -eq 0 ] || exit 1
echo "manual pages: in step with --help"
