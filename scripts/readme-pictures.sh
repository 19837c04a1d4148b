#!/bin/sh
# Makes the README's two pictures (and the AppStream screenshots) from the episode with
# velko-headless: the title screen and a story scene, written as docs/title.png and
# docs/scene.png.
#   scripts/readme-pictures.sh [BUILD_DIR [OUT_DIR]]   defaults: build/release, docs
# The test suite runs it into a scratch folder and compares, so the pictures never go stale.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
out=${2:-$root/docs}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The title at rest; then the first entry, and clicks that read on to the bus stop.
{
    echo "7000 shot title"
    echo "8000 click 500 255"
    t=10000
    while [ $t -le 40000 ]; do
        echo "$t click 320 240"
        t=$((t + 2500))
    done
    echo "42400 shot scene"
} >"$work/input.txt"
"$build/velko-headless" --input "$work/input.txt" --out "$work" >/dev/null
mkdir -p "$out"
cp "$work/title.png" "$work/scene.png" "$out/"
