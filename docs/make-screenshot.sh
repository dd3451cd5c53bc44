#!/usr/bin/env bash
# Makes the README's pictures of the editor's main window showing the sample
# page, filling a 1024 x 768 screen: docs/screenshot.png, and
# docs/findings-screenshot.png with the example league's rules and the Findings pane.
# Runs on a virtual X display when one is at hand, else on Qt's offscreen platform.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
cmake --build "$build" --target team-editor-screenshot
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The editor keeps its page history in the folder it starts from, and its
# remembered league rules in the configuration folder.
cd "$work"
export XDG_CONFIG_HOME="$work"
shoot() {
    local shot=("$build/bin/team-editor-screenshot" "$@" --fill-screen)
    if command -v xvfb-run >/dev/null; then
        xvfb-run -a -s "-screen 0 1024x768x24" "${shot[@]}"
    else
        QT_QPA_PLATFORM=offscreen "${shot[@]}"
    fi
    echo "Wrote ${*: -1}"
}
shoot "$root/examples/sample-roster.htm" "$root/docs/screenshot.png"
shoot --rules "$root/examples/example-league.json" "$root/examples/sample-roster.htm" \
    "$root/docs/findings-screenshot.png"
