#!/usr/bin/env bash
# Processor time of team-editor-cli pdf --to of 100 copies of the sample page
# in one call, as a whole process, against its limit of 10 ms a page (1 s in
# all); the csv --to of the same pages in the same run shows the share of
# starting, reading and storing. The time from start to end follows, as the
# pages are printed on every processor.
# usage: bench/pdf-many-bench.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=cpu-time.sh
source "$root/bench/cpu-time.sh"
start_cli_bench "$root" "${1:-}"
mkdir "$work/pages" "$work/out"
for i in $(seq -w 1 100); do
    cp "$root/examples/sample-roster.htm" "$work/pages/team$i.htm"
done
pdf_cpu=$(cpu_seconds "$cli" pdf --to "$work/out" "$work"/pages/*.htm)
csv_cpu=$(cpu_seconds "$cli" csv --to "$work/out" "$work"/pages/*.htm)
print_ratio "pdf --to of 100 pages" "$pdf_cpu" "csv --to of the same" "$csv_cpu"
pdf_wall=$(wall_seconds "$cli" pdf --to "$work/out" "$work"/pages/*.htm)
awk -v t="$pdf_cpu" -v w="$pdf_wall" -v n="$(nproc)" 'BEGIN {
    printf "    %.1f ms a page of CPU time; %.2f of the 1 s target\n", t * 10, t
    printf "    %.3f s from start to end on %d processors\n", w, n
}'
