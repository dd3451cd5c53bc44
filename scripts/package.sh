#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package of Team Editor
# in build/packages/ (or in packages/ of the build folder given as $1).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$build"
rm -rf "$build/packages"
(cd "$build" && cpack --config CPackConfig.cmake -G DEB -B "$build/packages" >/dev/null)
rm -rf "$build/packages/_CPack_Packages"
ls "$build"/packages/*.deb
