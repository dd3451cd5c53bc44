#!/usr/bin/env bash
# Peak memory and time of team-editor-cli read on pages of line feeds, from
# /usr/bin/time -v: a page over the 64 MiB limit (200 MB) must be refused at
# once, and a 60 MB page (60 million empty lines) read in under 250 MB, that is
# under 4 bytes per byte of the page plus the program's own fixed share.
# usage: bench/read-memory.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
cli="$build/bin/team-editor-cli"
[ -x "$cli" ] || { echo "no $cli: build team-editor-cli first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Prints the page size, the exit status, the peak memory and the time of one read.
measure() {
    local name=$1 bytes=$2
    local page="$work/$name.htm"
    head -c "$bytes" /dev/zero | tr '\0' '\n' >"$page"
    local status=0
    /usr/bin/time -v -o "$work/time.txt" "$cli" read "$page" >/dev/null 2>"$work/err.txt" || status=$?
    local rss elapsed
    rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
    elapsed=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$work/time.txt")
    printf '%-12s %10d bytes  exit %d  peak %7.1f MB  %5.2f bytes/byte  %s  %s\n' \
        "$name" "$bytes" "$status" "$(echo "$rss * 1024 / 1000000" | bc -l)" \
        "$(echo "$rss * 1024 / $bytes" | bc -l)" "$elapsed" "$(head -c 80 "$work/err.txt")"
    rm -f "$page"
}

measure lf-200MB 200000000
measure lf-60MB 60000000
measure lf-60MiB $((60 * 1024 * 1024))
