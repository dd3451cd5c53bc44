#!/usr/bin/env bash
# Installs the build in $1 into a fresh prefix $2, as a user's `cmake --install` does.
set -euo pipefail
build=$1 prefix=$2
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
