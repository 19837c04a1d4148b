#!/usr/bin/env bash
# Installs what velko01 needs from Debian's packages (only what is missing), then configures
# and builds it. Run by play.sh and test.sh:
#   setup.sh play   what playing needs, built in build/play: the program and its episode only
#   setup.sh test   everything (tests, benchmarks, packaging checks), built in build/release
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mode=${1:-test}

# Building and playing: the compiler, the libraries, the soundfont and the fonts (the asset
# generator letters with the Mincho and brush faces).
play_packages=(
    g++ cmake ninja-build pkg-config
    libsdl2-dev libsdl2-mixer-dev timgm6mb-soundfont
    libfreetype-dev libfontconfig-dev fonts-ipafont-gothic fonts-ipafont-mincho fonts-kouzan-mouhitsu
    libpng-dev
)
# Everything, for the test suite: the above plus what only the tests and checks use.
packages=(
    g++ cmake ninja-build pkg-config
    libsdl2-dev libsdl2-mixer-dev timgm6mb-soundfont
    libfreetype-dev libfontconfig-dev fonts-ipafont-gothic fonts-ipafont-mincho fonts-kouzan-mouhitsu
    libpng-dev
    googletest libgtest-dev libbenchmark-dev
    xvfb xauth x11-apps libx11-dev python3 openbox
    desktop-file-utils appstream man-db dpkg-dev file chromium
)
if [ "$mode" = play ]; then
    packages=("${play_packages[@]}")
fi

# shellcheck source=install-missing.sh
source "$root/scripts/install-missing.sh"
install_missing "${packages[@]}"

jobs=$(nproc 2>/dev/null || echo 2)
if [ "$mode" = play ]; then
    # No tests, no benchmarks: only velko01 and what its build runs (the asset generators and
    # the scenario check).
    build="$root/build/play"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVELKO_BUILD_TESTS=OFF -DVELKO_BUILD_BENCH=OFF >/dev/null
    cmake --build "$build" -j "$jobs" --target velko01
else
    build="$root/build/release"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j "$jobs"
fi
