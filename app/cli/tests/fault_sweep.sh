#!/usr/bin/env bash
# Drives every command of marrowbook-cli over bad inputs and fault cases
# (named pipes, folders in place of files, empty, truncated and random files,
# a file-size limit) and checks after each run that
#   - it ended by itself (no hang) with status 0, 1 or 2 (no signal, no
#     sanitizer report), and with the status the case expects;
#   - every file that was there before is unchanged, unless the case names it
#     as one the command may replace (after a Yes);
#   - nothing appeared outside the working folder, and no temporary file was
#     left behind.
# Usage: fault_sweep.sh <path of marrowbook-cli>
set -u
cli=$(realpath "$1")
command -v chmcmd >/dev/null || { echo "chmcmd (fp-utils) is needed"; exit 1; }

sandbox=$(mktemp -d)
trap 'chmod -R u+rwX "$sandbox"; rm -rf "$sandbox"' EXIT
work=$sandbox/work      # the commands' folder: inputs, and outputs beside them
pristine=$sandbox/pristine
export MARROWBOOK_HOME=$sandbox/home HOME=$sandbox/home TMPDIR=$sandbox/tmp
mkdir -p "$pristine" "$MARROWBOOK_HOME" "$TMPDIR" "$sandbox/outside"
echo "not to be touched" >"$sandbox/outside/keep.txt"
echo '<MARROWBOOK_CONFIG><CONFIG_DATA>' >"$MARROWBOOK_HOME/mbconfig.xml" # damaged

failures=0
cases=0

# ---- Fixtures --------------------------------------------------------------
cd "$pristine" || exit 1
page() { printf '<html><head><title>%s</title></head><body>%s</body></html>\n' "$1" "$2" >"$3"; }
page A "first" a.htm
page B "second" b.htm
printf '[OPTIONS]\r\nTitle=Good\r\nCompiled file=good.chm\r\nContents file=good.hhc\r\nIndex file=good.hhk\r\nDefault topic=a.htm\r\n\r\n[FILES]\r\na.htm\r\nb.htm\r\n' >good.hhp
sitemap() { # name page...
    local out="<HTML><BODY><UL>" name=$1
    shift
    for p in "$@"; do
        out+="<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"${p%.htm}\"><param name=\"Local\" value=\"$p\"></OBJECT>"
    done
    printf '%s</UL></BODY></HTML>\r\n' "$out" >"$name"
}
sitemap good.hhc a.htm b.htm
sitemap good.hhk a.htm
chmcmd good.hhp >/dev/null 2>&1
[ -s good.chm ] || { echo "chmcmd made no good.chm"; exit 1; }
"$cli" --quiet import-hhp good.hhp >/dev/null 2>&1
[ -s good.mbk ] || { echo "the fixture project good.mbk was not made"; exit 1; }

# A help file and a project with pages larger than the file-size limit.
mkdir big
for i in 1 2 3; do head -c 30000 /dev/urandom | base64 -w 100 >"big/p$i.htm"; done
printf '[OPTIONS]\r\nTitle=Big\r\nCompiled file=big.chm\r\nContents file=big.hhc\r\n\r\n[FILES]\r\np1.htm\r\np2.htm\r\np3.htm\r\n' >big/big.hhp
# A contents of many entries, larger than the limit when written again.
(cd big && sitemap big.hhc $(for i in $(seq 1 200); do echo p$((i % 3 + 1)).htm; done) &&
    chmcmd big.hhp >/dev/null 2>&1)
[ -s big/big.chm ] || { echo "chmcmd made no big.chm"; exit 1; }
"$cli" --quiet import-hhp big/big.hhp >/dev/null 2>&1
[ -s big/big.mbk ] || { echo "the fixture project big.mbk was not made"; exit 1; }

# Bad inputs of every kind, for each kind of file the commands read.
for ext in chm mbk hhp hhc; do
    mkfifo "fifo.$ext"
    mkdir "dir.$ext"
    : >"empty.$ext"
    head -c 4096 /dev/urandom >"random.$ext"
done
head -c 3000 good.chm >truncated.chm
head -c 400 good.mbk >truncated.mbk
head -c 60 good.hhp >truncated.hhp
printf '[OPTIONS]\r\nTitle=Nested\r\nContents file=%s\r\n[FILES]\r\na.htm\r\n' fifo.hhc >hhc-fifo.hhp
for kind in dir empty random missing; do
    sed "s/fifo.hhc/$kind.hhc/" hhc-fifo.hhp >"hhc-$kind.hhp"
done
printf '[OPTIONS]\r\nTitle=Nested\r\n[MAP]\r\n#include missing.h\r\n[FILES]\r\na.htm\r\n' >header-missing.hhp
printf '[OPTIONS]\r\nTitle=Deep\r\nContents file=deep.hhc\r\n[FILES]\r\na.htm\r\n' >deep.hhp
{
    for _ in $(seq 1 5000); do printf '<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="x"></OBJECT>'; done
    for _ in $(seq 1 5000); do printf '</UL>'; done
} >deep.hhc
printf '[OPTIONS]\r\nTitle=Edited by hand\r\n' >other.hhp
# Help files with hostile names: chmcmd keeps a page's "../normal.css" as
# "/../normal.css" (as in Debian's eviacam help), refused on purpose; a
# stream "/d" beside "/d/e.htm" cannot both be written; a directory header
# naming listing chunks 0 to 0xffffffff names none.
mkdir -p evi/en hostile
echo 'body { margin: 0 }' >evi/normal.css
page Intro '<link rel="stylesheet" href="../normal.css">intro' evi/en/intro.htm
(cd evi/en && sitemap help.hhc intro.htm &&
    printf '[OPTIONS]\r\nCompiled file=help.chm\r\nContents file=help.hhc\r\nTitle=Evi\r\n\r\n[FILES]\r\nintro.htm\r\n' >help.hhp &&
    chmcmd help.hhp >/dev/null 2>&1)
grep -q '/\.\./normal\.css' evi/en/help.chm || { echo "chmcmd kept no /../normal.css"; exit 1; }
(cd hostile && page C c c && mkdir d && page E e d/e.htm &&
    printf '[OPTIONS]\r\nCompiled file=colliding.chm\r\n\r\n[FILES]\r\nc\r\nd/e.htm\r\n' >colliding.hhp &&
    chmcmd --no-html-scan colliding.hhp >/dev/null 2>&1 &&
    perl -0777 -pi -e 's{\x02/c}{\x02/d}' colliding.chm && rm -r c d colliding.hhp)
cp good.chm hostile/nochunks.chm
perl -0777 -pi -e 's{(ITSP.{28}).{8}}{$1\x00\x00\x00\x00\xff\xff\xff\xff}s' hostile/nochunks.chm
# An output folder that already holds a page of the same name as one in
# good.chm, with other content.
mkdir taken
echo "my own page" >taken/a.htm

# ---- Checking --------------------------------------------------------------
# Every entry of the sandbox: type, path and, for files, the checksum.
snapshot() {
    {
        find "$sandbox" -path "$pristine" -prune -o ! -type f -printf '%y %p\n'
        find "$sandbox" -path "$pristine" -prune -o -type f -exec md5sum {} + |
            sed -E 's/^([0-9a-f]{32})  (.*)$/f \2 \1/'
    } | LC_ALL=C sort
}

paths() { cut -d' ' -f2 <<<"$1" | LC_ALL=C sort; }

# run_case LABEL EXPECTED MAY_CHANGE [ulimit-blocks|-] -- ARGS...
#   EXPECTED: the exit statuses allowed, e.g. "1" or "0 1".
#   MAY_CHANGE: files (relative to the working folder, shell patterns) that
#   the command may replace, remove or leave behind, separated by blanks; ""
#   for none.
run_case() {
    local label=$1 expected=$2 mayChange=$3 limit=$4
    shift 5
    cases=$((cases + 1))
    rm -rf "$work"
    cp -a "$pristine" "$work"
    local before after status output problems=""
    before=$(snapshot)
    output=$(cd "$work" && if [ "$limit" != - ]; then ulimit -f "$limit"; fi &&
        timeout -k 5 30 "$cli" "$@" 2>&1)
    status=$?
    after=$(snapshot)

    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        problems+="  hung (stopped after 30 s)"$'\n'
    elif [ "$status" -gt 2 ]; then
        problems+="  ended with status $status (a signal or crash)"$'\n'
    elif [[ " $expected " != *" $status "* ]]; then
        problems+="  exit status $status, expected $expected"$'\n'
    fi
    if grep -qE 'Sanitizer|runtime error:' <<<"$output"; then
        problems+="  sanitizer report"$'\n'
    fi
    local line path
    allowed() {
        local name
        for name in $mayChange; do
            # shellcheck disable=SC2053 # the names are patterns
            [[ $1 == $work/$name ]] && return 0
        done
        return 1
    }
    while read -r line; do
        [ -z "$line" ] && continue
        path=$(cut -d' ' -f2 <<<"$line")
        allowed "$path" || problems+="  changed or removed: ${path#"$sandbox"/}"$'\n'
    done < <(LC_ALL=C comm -23 <(echo "$before") <(echo "$after"))
    while read -r path; do
        [ -z "$path" ] && continue
        allowed "$path" && continue
        case "$path" in
        "$work"/*) ;;
        *) problems+="  written outside the working folder: ${path#"$sandbox"/}"$'\n' ;;
        esac
        case "$(basename "$path")" in
        *.*.[A-Za-z0-9][A-Za-z0-9][A-Za-z0-9][A-Za-z0-9][A-Za-z0-9][A-Za-z0-9] | .*)
            problems+="  temporary file left: ${path#"$sandbox"/}"$'\n'
            ;;
        esac
    done < <(LC_ALL=C comm -13 <(paths "$before") <(paths "$after"))

    if [ -n "$problems" ]; then
        failures=$((failures + 1))
        echo "FAIL $label: marrowbook-cli $*"
        printf '%s' "$problems"
        sed 's/^/    | /' <<<"$output" | head -n 8
    fi
}

# ---- Cases -----------------------------------------------------------------
bad_chms="fifo dir empty random truncated missing"
for kind in $bad_chms; do
    chm=$kind.chm
    if [ "$kind" = truncated ]; then listing="0 1"; else listing=1; fi
    run_case "list $kind" "$listing" "" - -- list "$chm"
    run_case "context-map $kind" "1" "" - -- context-map "$chm"
    run_case "open-chm $kind" "1" "" - -- open-chm "$chm"
    run_case "decompile $kind" "1" "" - -- decompile "$chm"
    run_case "decompile $kind into a folder" "1" "" - -- decompile "$chm" --output out
    run_case "handheld $kind" "1" "" - -- handheld "$chm"
    run_case "handheld $kind into a folder" "1" "" - -- handheld "$chm" --output small
done

for kind in fifo dir empty random truncated missing; do
    mbk=$kind.mbk
    run_case "compile $kind" "1" "" - -- compile "$mbk"
    run_case "export-hhp $kind" "1" "" - -- --yes export-hhp "$mbk"
done

for hhp in fifo dir empty random truncated missing hhc-fifo hhc-dir hhc-empty hhc-random \
    hhc-missing header-missing; do
    expected=1
    may=""
    # A project whose contents or header file cannot be read is imported
    # without it (with a warning); cut short, a project text may still be a
    # project.
    case $hhp in
    hhc-* | header-missing)
        expected=0
        may=good.mbk
        ;;
    truncated)
        expected="0 1"
        may=good.mbk
        ;;
    esac
    run_case "import-hhp $hhp" "$expected" "" - -- import-hhp "$hhp.hhp"
    # Refused input never replaces a good project, even when told to.
    run_case "import-hhp $hhp over a project" "$expected" "$may" - -- import-hhp --force "$hhp.hhp" good.mbk
done

run_case "import-hhp nested too deeply" "0" "" - -- import-hhp deep.hhp

# Existing files are replaced only after a Yes; never the input itself.
run_case "new over a project" "1" "" - -- new good.mbk
run_case "new over a project, yes" "0" "good.mbk" - -- new good.mbk --yes
run_case "import-hhp over a project" "1" "" - -- import-hhp good.hhp
run_case "import-hhp over a project, yes" "0" "good.mbk" - -- --yes import-hhp good.hhp
run_case "import-hhp over its own input" "2" "" - -- --yes import-hhp --force good.hhp good.hhp
run_case "export-hhp over the project's files" "1" "" - -- export-hhp good.mbk
run_case "export-hhp over the project's files, yes" "0" "good.hhp good.hhc good.hhk" - -- \
    export-hhp good.mbk --yes
run_case "export-hhp over the project file" "2" "" - -- --yes export-hhp good.mbk good.mbk
run_case "export-hhp over another file" "2" "" - -- --yes export-hhp good.mbk a.htm
run_case "export-hhp over another project text" "1" "" - -- export-hhp good.mbk other.hhp
run_case "compile" "0" "good.chm" - -- compile good.mbk
run_case "compile, keeping its files" "0" "good.chm .mb-compile-*" - -- compile good.mbk --keep
run_case "decompile into a folder with a page of its own" "0 1" "" - -- \
    decompile good.chm --output taken
run_case "handheld into a folder with a page of its own" "0 1" "" - -- \
    handheld good.chm --output taken
run_case "decompile beside it" "0" "" - -- decompile good.chm
run_case "handheld beside it" "0" "" - -- handheld good.chm
run_case "open-chm" "0" "" - -- open-chm good.chm
run_case "open-chm with an unsafe name" "0" "" - -- open-chm evi/en/help.chm
run_case "decompile with an unsafe name" "0" "" - -- decompile evi/en/help.chm --output out
run_case "decompile colliding names" "1" "" - -- decompile hostile/colliding.chm --output out
run_case "decompile with no listing chunks" "1" "" - -- decompile hostile/nochunks.chm --output out
run_case "list with no listing chunks" "1" "" - -- list hostile/nochunks.chm
run_case "new with pages from outside" "1" "" - -- new p/x.mbk --add-folder ../outside
run_case "new from a folder of bad files" "0" "" - -- new x.mbk --add-folder .

# Command-line mistakes.
run_case "unknown option" "2" "" - -- list --bogus good.chm
run_case "bad language" "2" "" - -- new x.mbk --language abc
run_case "negative language" "2" "" - -- new x.mbk --language -5
run_case "language out of range" "2" "" - -- new x.mbk --language 70000
run_case "empty output" "2" "" - -- decompile good.chm --output ""

# A file-size limit (in 1024-byte blocks) below the size of the files written.
run_case "decompile, size limit" "1" "" 8 -- decompile big/big.chm --output out
run_case "handheld, size limit" "1" "" 8 -- handheld big/big.chm --output small
run_case "open-chm, size limit" "1" "" 8 -- open-chm big/big.chm
run_case "compile, size limit" "1" "" 8 -- compile big/big.mbk
run_case "export-hhp, size limit" "1" "big/big.hhp" 8 -- --yes export-hhp big/big.mbk
run_case "import-hhp, size limit" "1" "" 1 -- --yes import-hhp big/big.hhp
run_case "new, size limit" "1" "" 1 -- new big/new.mbk --add-folder big

echo "$cases cases, $failures failed"
[ "$failures" -eq 0 ]
