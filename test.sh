#!/usr/bin/env bash
# Builds velko01 (installing what is missing) and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup.sh" test
jobs=$(nproc 2>/dev/null || echo 2)
ctest --test-dir "$root/build/release" --output-on-failure -j "$jobs" "$@"
