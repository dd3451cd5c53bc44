#!/usr/bin/env bash
# Times team-editor-cli convert of the sample page as a whole process: start,
# read, the sheet, the page and the store. Target: a median under 8 ms.
# usage: bench/convert-bench.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
cli="$build/bin/team-editor-cli"
[ -x "$cli" ] || { echo "no $cli: build team-editor-cli first" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
hyperfine --warmup 3 --runs 50 \
    "$cli convert $root/examples/sample-roster.htm $out/converted.htm"
