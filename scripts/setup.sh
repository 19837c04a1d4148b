#!/usr/bin/env bash
# Installs what velko01 needs from Debian's packages (only what is missing), then configures
# and builds it in build/release. Sourced by play.sh and test.sh.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build/release"

packages=(
    g++ cmake ninja-build pkg-config
    libsdl2-dev libsdl2-mixer-dev timgm6mb-soundfont
    libfreetype-dev libfontconfig-dev fonts-ipafont-gothic fonts-ipafont-mincho fonts-kouzan-mouhitsu
    libpng-dev
    googletest libgtest-dev libbenchmark-dev
    xvfb xauth x11-apps libx11-dev python3 openbox
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo_cmd=(sudo)
    fi
    "${sudo_cmd[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$jobs"
