#!/usr/bin/env bash
# Makes docs/roster-thumbnail.png: page 1 of the sample page's PDF, as
# team-editor-cli pdf prints it, 600 pixels wide.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
cmake --build "$build" --target team-editor-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/team-editor-cli" pdf "$root/examples/sample-roster.htm" "$work/sample.pdf"
pdftoppm -png -singlefile -f 1 -l 1 -scale-to-x 600 -scale-to-y -1 "$work/sample.pdf" "$work/thumbnail"
cp "$work/thumbnail.png" "$root/docs/roster-thumbnail.png"
echo "Wrote $root/docs/roster-thumbnail.png"
