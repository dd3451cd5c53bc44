#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libssl-dev openssl libqt6svg6
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    librsvg2-bin desktop-file-utils appstream man-db groff-base binutils file dpkg-dev lintian
    clang libclang-rt-14-dev libfuzzer-14-dev
    xvfb xauth fonts-dejavu-core poppler-utils
    python3 curl hyperfine bc time linux-perf
    libxml2-dev libxml2-utils zlib1g-dev
    chromium
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
