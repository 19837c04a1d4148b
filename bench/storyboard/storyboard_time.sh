#!/bin/sh
# How long the storyboard of the episode takes, against one plain read of the story with
# the same tool in the same run (the golden story input): the ratio says what playing every
# path and writing the frames cost, whatever the machine.
#   bench/storyboard/storyboard_time.sh [BUILD_DIR]   (default: build/release)
set -eu
build=${1:-build/release}
here=$(cd "$(dirname "$0")/../.." && pwd)
tool="$build/velko-headless"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

seconds() {
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }' 
}

plain=$(seconds "$tool" --input "$here/tests/e2e/golden/story.input" --out "$work/plain")
board=$(seconds "$tool" --storyboard "$work/board")
frames=$(ls "$work/board/frames" | wc -l)
awk -v p="$plain" -v b="$board" -v f="$frames" 'BEGIN {
    printf "plain story read: %.2f s\nstoryboard:       %.2f s (%d frames)\nratio:            %.2f\n",
        p, b, f, b / p }' 
