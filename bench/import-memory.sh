#!/usr/bin/env bash
# Time and peak memory of team-editor-cli import on 10 MB pages, beside those
# of libxml2's own HTML parser (xmllint --html --noout, which builds the
# page's tree) on the same page in the same run, from /usr/bin/time -v.
# usage: bench/import-memory.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
cli="$build/bin/team-editor-cli"
corpus="$root/../shared/corpus/real"
[ -x "$cli" ] || { echo "no $cli: build team-editor-cli first" >&2; exit 1; }
command -v xmllint >/dev/null || { echo "no xmllint: run scripts/install-deps.sh" >&2; exit 1; }
[ -d "$corpus" ] || { echo "no corpus at $corpus" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
size=$((10 * 1000 * 1000))

# Repeats the text until the file holds SIZE bytes.
fill() {
    local unit=$1 file=$2
    python3 -c 'import sys; u = sys.argv[1]; n = int(sys.argv[2]); sys.stdout.write(u * (n // len(u) + 1))' \
        "$unit" "$size" | head -c "$size" >>"$file"
}

# Prints one line per program: its exit status, peak memory and time.
measure() {
    local name=$1 page=$2
    local bytes
    bytes=$(stat -c %s "$page")
    for program in import xmllint; do
        local status=0
        if [ "$program" = import ]; then
            /usr/bin/time -v -o "$work/time.txt" "$cli" import "$page" >/dev/null 2>"$work/err.txt" || status=$?
        else
            /usr/bin/time -v -o "$work/time.txt" xmllint --html --noout "$page" >/dev/null 2>&1 || status=$?
        fi
        local rss elapsed
        rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
        elapsed=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$work/time.txt")
        printf '%-18s %-8s %9d bytes  exit %d  peak %7.1f MB  %5.2f bytes/byte  %s\n' "$name" "$program" \
            "$bytes" "$status" "$(echo "$rss * 1024 / 1000000" | bc -l)" "$(echo "$rss * 1024 / $bytes" | bc -l)" \
            "$elapsed"
    done
}

# A real roster page, then a match record of games up to 10 MB.
cp "$corpus/creator-tool-upper-case.htm" "$work/games.htm"
printf '<H2>Match Record</H2><TABLE><TR><TH>Result</TH><TH>Opponent</TH><TH>Score</TH></TR>\r\n' >>"$work/games.htm"
fill '<TR><TD>W</TD><TD>Opponent</TD><TD>2-1</TD></TR>\r\n' "$work/games.htm"
measure match-record "$work/games.htm"

# A real fragment after 10 MB of navigation and prose.
: >"$work/buried.htm"
fill "<div class='team'><a href='/teams/1'>Team</a><p>Some words about <b>the team</b>.</p></div>\n" "$work/buried.htm"
cat "$corpus/web-app-fragment.htm" >>"$work/buried.htm"
measure buried-fragment "$work/buried.htm"

# 10 MB of cells after a heading row, the shape that once took 60 bytes a byte.
printf '<table><tr><th>Name</th><th>MA</th><th>ST</th><th>AG</th></tr>' >"$work/cells.htm"
fill '<td>' "$work/cells.htm"
measure cells "$work/cells.htm"
