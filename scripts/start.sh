#!/usr/bin/env bash
# Installs what is missing, builds, and starts Team Editor. Without a page to
# open it opens the user's own copy of the example roster (made on the first
# start in the user's data folder, and kept from then on), so that the example
# in the checkout is never written over.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
if [ "$#" -eq 0 ]; then
    data="${XDG_DATA_HOME:-$HOME/.local/share}/Team Editor"
    copy="$data/sample-roster.htm"
    if [ ! -e "$copy" ]; then
        mkdir -p "$data"
        cp "$root/examples/sample-roster.htm" "$copy"
    fi
    set -- "$copy"
fi
exec "$root/build/bin/team-editor" "$@"
