#!/usr/bin/env bash
# Builds velko01 (installing what is missing) and runs the whole test suite, the browser build
# in headless Chromium included (VELKO_WEB=0 leaves the browser build and its tests out).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup.sh" test
if [ "${VELKO_WEB:-1}" != 0 ]; then
    "$root/web.sh"
    # The web tests are registered once the web folder exists.
    cmake -S "$root" -B "$root/build/release" >/dev/null
fi
jobs=$(nproc 2>/dev/null || echo 2)
ctest --test-dir "$root/build/release" --output-on-failure -j "$jobs" "$@"
