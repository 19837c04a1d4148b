#!/bin/sh
# ./play.sh's build (as scripts/setup.sh play configures it) makes velko01 and what its build
# runs, and nothing of the test suite: no test or benchmark program, no velko-headless, no
# velko-stress, no GoogleTest. Checked on the build plan, without building.
#   play_build_test.sh SOURCE_DIR WORK_DIR
set -eu
src=$1
work=$2
rm -rf "$work"
cmake -S "$src" -B "$work" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELKO_BUILD_TESTS=OFF -DVELKO_BUILD_BENCH=OFF >"$work.log" 2>&1 || {
    echo "FAIL: the play configuration does not configure:" >&2
    tail -20 "$work.log" >&2
    exit 1
}
ninja -C "$work" -t commands velko01 >"$work/plan.txt"
grep -q 'game/velko01' "$work/plan.txt" || {
    echo "FAIL: the plan does not link velko01" >&2
    exit 1
}
if grep -E '(^| )-o [^ ]*(tests/|bench/|velko-headless|velko-stress)|gtest|benchmark' \
    "$work/plan.txt" >"$work/extra.txt"; then
    echo "FAIL: building velko01 for play builds test-suite parts:" >&2
    head -5 "$work/extra.txt" >&2
    exit 1
fi
echo "velko01's play build: $(grep -c ' -o ' "$work/plan.txt") outputs, none of the test suite"
rm -rf "$work" "$work.log"
