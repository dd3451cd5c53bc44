#!/usr/bin/env bash
# Times team-editor-cli convert of the sample page as a whole process: start,
# read, the offscreen window, the page and the store. Target: under 150 ms.
# usage: bench/convert-bench.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
cli="$build/bin/team-editor-cli"
[ -x "$cli" ] || { echo "no $cli: build team-editor-cli first" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
hyperfine --warmup 3 --runs 30 \
    "$cli convert $root/examples/sample-roster.htm $out/converted.htm"
