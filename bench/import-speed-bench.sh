#!/usr/bin/env bash
# Processor time of team-editor-cli import of a 10 MB page of one big table (a
# page of another roster tool and a long match record) against libxml2
# building its tree of the same page (xmllint --html --noout), in the same
# run. Target: under 0.3 s of CPU.
# usage: bench/import-speed-bench.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=cpu-time.sh
source "$root/bench/cpu-time.sh"
start_cli_bench "$root" "${1:-}"
roster="$root/../shared/corpus/real/creator-tool-upper-case.htm"
[ -f "$roster" ] || { echo "no $roster" >&2; exit 1; }

page="$work/page.htm"
{
    cat "$roster"
    printf '<H2>Match Record</H2><TABLE><TR><TH>Result</TH><TH>Opponent</TH><TH>Score</TH><TH>Notes</TH></TR>\r\n'
    awk -v size=$(((10 << 20) - $(stat -c %s "$roster"))) 'BEGIN {
        for (i = 0; written < size; i++) {
            row = sprintf("<TR><TD>W</TD><TD>Opponent %d</TD><TD>2-1</TD><TD>A hard game</TD></TR>\r\n", i)
            printf "%s", row
            written += length(row)
        }
    }'
    printf '</TABLE>'
} >"$page"

import_cpu=$(cpu_seconds "$cli" import "$page")
tree_cpu=$(cpu_seconds xmllint --html --noout "$page")
print_ratio "import of a 10 MB page" "$import_cpu" "xmllint --html --noout" "$tree_cpu"
awk -v t="$import_cpu" 'BEGIN { printf "    %.2f of the 0.3 s target\n", t / 0.3 }'
