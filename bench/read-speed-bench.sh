#!/usr/bin/env bash
# Processor time of team-editor-cli read against a line scan of the same file,
# in the same run:
# - an 18.5 MB page of 100,000 lines, half player rows and half filler, against
#   grep -c TD; target: at least 250 MB/s (under 0.075 s of CPU);
# - 60 million empty lines against grep -c ''; target: under 1 s.
# usage: bench/read-speed-bench.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=cpu-time.sh
source "$root/bench/cpu-time.sh"
start_cli_bench "$root" "${1:-}"

# The sample page up to its player table, then player rows of the sample (slots
# 1 to 9, so that the table never closes) taking turns with lines of filler.
awk 'NR <= 13 { print; next }
     NR <= 22 { rows[n++] = $0 }
     END {
         filler = "<P>League notes kept with the roster: nothing on this line is read.</P>\r"
         for (i = 13; i < 100000; i++)
             print (i % 2 ? filler : rows[i % n])
     }' "$root/examples/sample-roster.htm" >"$work/rows.htm"
head -c 60000000 /dev/zero | tr '\0' '\n' >"$work/empty.htm"

# page, the pattern grep counts, and the CPU time the read must stay under
for run in "rows TD 0.075" "empty '' 1.0"; do
    read -r page pattern limit <<<"$run"
    pattern=${pattern//\'/}
    file="$work/$page.htm"
    bytes=$(stat -c %s "$file")
    lines=$(wc -l <"$file")
    read_cpu=$(cpu_seconds "$cli" read "$file")
    grep_cpu=$(cpu_seconds grep -c "$pattern" "$file")
    print_ratio "read $page ($lines lines)" "$read_cpu" "grep -c '$pattern'" "$grep_cpu"
    awk -v b="$bytes" -v t="$read_cpu" -v limit="$limit" 'BEGIN {
        printf "    %.1f MB at %.0f MB/s; %.2f of the %.3f s target\n", b / 1e6, b / 1e6 / t, t / limit, limit
    }'
done
