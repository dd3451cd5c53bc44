#!/usr/bin/env bash
# Times team-editor-cli check of 1,000 pages in one call as a whole process:
# start, reading every page, adding up each team and printing its line, and
# with --rules checking each against the example league's rules as well.
# Target: under 0.5 s.
# usage: bench/check-bench.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
cli="$build/bin/team-editor-cli"
[ -x "$cli" ] || { echo "no $cli: build team-editor-cli first" >&2; exit 1; }
pages=$(mktemp -d)
trap 'rm -rf "$pages"' EXIT
for i in $(seq -w 1 1000); do
    cp "$root/examples/sample-roster.htm" "$pages/page$i.htm"
done
# The sample page breaks one of the example league's rules, so check --rules
# ends with status 1.
hyperfine --warmup 2 --runs 10 --ignore-failure \
    "$cli check $pages/*.htm >/dev/null" \
    "$cli check --json $pages/*.htm >/dev/null" \
    "$cli check --rules $root/examples/example-league.json $pages/*.htm >/dev/null"
