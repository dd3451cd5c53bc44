#!/usr/bin/env bash
# Times the many-pages forms of team-editor-cli as whole processes over 1,000
# copies of the sample page: read in one call (target under 0.3 s) and
# convert --to in one call (target under 1 s).
# usage: bench/batch-bench.sh [BUILD_DIR] [PAGES]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
count=${2:-1000}
cli="$build/bin/team-editor-cli"
[ -x "$cli" ] || { echo "no $cli: build team-editor-cli first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/in" "$work/out"
for i in $(seq 1 "$count"); do
    cp "$root/examples/sample-roster.htm" "$work/in/page$i.htm"
done
pages=("$work"/in/*.htm)
hyperfine --warmup 2 --runs 10 \
    -n "read of $count pages" "$cli read ${pages[*]} > /dev/null" \
    -n "convert --to of $count pages" "$cli convert --to $work/out ${pages[*]}"
