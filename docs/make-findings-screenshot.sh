#!/usr/bin/env bash
# Makes docs/findings-screenshot.png: the editor showing the sample page checked
# against examples/example-league.json, with the Findings pane, on a 1024 x 768 screen.
# Runs on a virtual X display when one is at hand, else on Qt's offscreen platform.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
cmake --build "$build" --target team-editor-screenshot
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The editor keeps its settings in the folder it starts from when they are there.
cd "$work"
export XDG_CONFIG_HOME="$work"
shot=("$build/bin/team-editor-screenshot" --rules "$root/examples/example-league.json"
    "$root/examples/sample-roster.htm" "$root/docs/findings-screenshot.png" --fill-screen)
if command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1024x768x24" "${shot[@]}"
else
    QT_QPA_PLATFORM=offscreen "${shot[@]}"
fi
echo "Wrote $root/docs/findings-screenshot.png"
