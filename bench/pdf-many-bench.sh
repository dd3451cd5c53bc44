#!/usr/bin/env bash
# Times team-editor-cli pdf --to of 100 copies of the sample page in one call,
# as a whole process. Target: under 5 s.
# usage: bench/pdf-many-bench.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
cli="$build/bin/team-editor-cli"
[ -x "$cli" ] || { echo "no $cli: build team-editor-cli first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/pages" "$work/out"
for i in $(seq -w 1 100); do
    cp "$root/examples/sample-roster.htm" "$work/pages/team$i.htm"
done
hyperfine --warmup 1 --runs 5 "$cli pdf --to $work/out $work/pages/*.htm"
