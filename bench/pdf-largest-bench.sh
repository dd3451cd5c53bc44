#!/usr/bin/env bash
# Time and peak memory of team-editor-cli pdf on the sample page with the
# largest match record the reader takes (9,998 rows of 256 cells, about 33 MB),
# and with 1,000 rows, from /usr/bin/time -v. Target: under 10 s and 500 MB;
# the PDF holds the first rows that fit and says how many were left out.
# usage: bench/pdf-largest-bench.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=cpu-time.sh
source "$root/bench/cpu-time.sh"
start_cli_bench "$root" "${1:-}"

# The sample page with its match record replaced by ROWS rows of 256 cells.
make_page() {
    python3 - "$root/examples/sample-roster.htm" "$1" <<'PY'
import sys
lines = open(sys.argv[1], encoding="latin-1").read().split("\n")
rows = int(sys.argv[2])
heading = next(i for i, line in enumerate(lines) if line.startswith("<TR BGCOLOR") and "<TH>Result" in line)
end = next(i for i in range(heading, len(lines)) if lines[i].startswith("</TABLE>"))
out = lines[:heading]
out.append('<TR ALIGN=CENTER>' + "".join("<TH>H%d</TH>" % c for c in range(256)) + "</TR>\r")
for r in range(1, rows + 1):
    out.append("<TR ALIGN=CENTER>" + "".join("<TD>%d.%d</TD>" % (r, c) for c in range(256)) + "</TR>\r")
out += lines[end:]
sys.stdout.write("\n".join(out))
PY
}

for rows in 1000 9998; do
    make_page "$rows" >"$work/page.htm"
    status=0
    /usr/bin/time -v -o "$work/time.txt" "$cli" pdf "$work/page.htm" "$work/page.pdf" 2>"$work/err.txt" ||
        status=$?
    rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
    elapsed=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$work/time.txt")
    note=$(pdftotext "$work/page.pdf" - 2>/dev/null | tr '\n' ' ' | grep -o 'The first [0-9,]* of [0-9,]* matches[^.]*\.' || true)
    printf '%5d rows x 256: page %5.1f MB  exit %d  peak %6.1f MB  %s  %s %s\n' "$rows" \
        "$(echo "$(stat -c %s "$work/page.htm") / 1000000" | bc -l)" "$status" \
        "$(echo "$rss * 1024 / 1000000" | bc -l)" "$elapsed" "$note" "$(head -c 80 "$work/err.txt")"
done
