#!/usr/bin/env bash
# Times marrowbook-cli against the programs it stands beside, in one run:
#   compile:   `marrowbook-cli compile` of a 5,000-topic project against chmcmd
#              run directly on the same project's exported .hhp
#              (target: our overhead under 20%);
#   decompile: `marrowbook-cli decompile` of the result against
#              `chmls extractall` (for information).
# Usage: cli_bench.sh <folder holding marrowbook-cli>
set -euo pipefail
bin=${1:?usage: cli_bench.sh <bin folder>}
cli="$bin/marrowbook-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export MARROWBOOK_HOME="$work/home"
mkdir -p "$MARROWBOOK_HOME"

# 5,000 topics in 50 chapters.
for chapter in $(seq 1 50); do
    mkdir -p "$work/help/chapter$chapter"
    for topic in $(seq 1 100); do
        printf '<html><head><title>Chapter %d, topic %d</title></head><body><h1>Topic %d</h1><p>%s</p></body></html>\n' \
            "$chapter" "$topic" "$topic" "$(printf 'Configuring the panel and its settings. %.0s' $(seq 1 20))" \
            > "$work/help/chapter$chapter/topic$topic.htm"
    done
done
"$cli" --quiet new "$work/help/guide.mbk" --title "Benchmark Guide" --add-folder "$work/help" > /dev/null

now() { date +%s.%N; }
best() { # best of three runs of a command, in seconds
    local best=999999 start end
    for _ in 1 2 3; do
        start=$(now); "$@" > /dev/null 2>&1; end=$(now)
        best=$(awk -v a="$end" -v b="$start" -v m="$best" 'BEGIN { t = a - b; print (t < m ? t : m) }')
    done
    echo "$best"
}

# The peer compiles the exported project in a copy of the folder.
"$cli" --quiet export-hhp "$work/help/guide.mbk" > /dev/null
cp -r "$work/help" "$work/peer"
peer_compile=$(best sh -c "cd '$work/peer' && exec chmcmd guide.hhp")
ours_compile=$(best "$cli" --quiet compile "$work/help/guide.mbk")
[ -s "$work/help/guide.chm" ] || { echo "our compile made no help file"; exit 1; }
[ -s "$work/peer/guide.chm" ] || { echo "chmcmd made no help file"; exit 1; }

ours_decompile=$(best sh -c "rm -rf '$work/out1' && exec '$cli' --quiet decompile '$work/help/guide.chm' --output '$work/out1'")
peer_decompile=$(best sh -c "rm -rf '$work/out2' && mkdir '$work/out2' && exec chmls extractall '$work/help/guide.chm' '$work/out2'")

ratio=$(awk -v a="$ours_compile" -v b="$peer_compile" 'BEGIN { print a / b }')
printf 'compile, 5,000 topics:  marrowbook-cli %.2f s, chmcmd alone %.2f s: %.2fx (target < 1.20x)\n' \
    "$ours_compile" "$peer_compile" "$ratio"
printf 'decompile of the result: marrowbook-cli %.2f s, chmls extractall %.2f s: %.2fx\n' \
    "$ours_decompile" "$peer_decompile" \
    "$(awk -v a="$ours_decompile" -v b="$peer_decompile" 'BEGIN { print a / b }')"
awk -v r="$ratio" 'BEGIN { exit !(r < 1.20) }'
