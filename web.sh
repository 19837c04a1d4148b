#!/usr/bin/env bash
# Builds velko01 for web browsers into build/web/site, a folder any static web server can
# serve (installing emscripten and the rest from Debian's packages the first time; the web
# libraries are built once into ~/.cache/velko01-web). With --serve [PORT] it then serves
# the folder on 127.0.0.1 (port 8000 unless given).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)

# The episode's pictures and sounds come from the desktop build's program folder.
"$root/scripts/setup.sh"
prefix=$("$root/scripts/web-setup.sh" | tail -n1)

# A node from outside Debian does not see Debian's node modules (emcc needs acorn).
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
build="$root/build/web"
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
emcmake cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DVELKO_WEB_PREFIX="$prefix" -DVELKO_WEB_GAME_DIR="$root/build/release/game" \
    "${launcher[@]}" >/dev/null
jobs=$(nproc 2>/dev/null || echo 2)
cmake --build "$build" -j "$jobs"
echo "The web folder: $build/site"

if [ "${1:-}" = "--serve" ]; then
    port=${2:-8000}
    echo "Open http://127.0.0.1:$port/ (Ctrl+C stops the server)"
    exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$build/site"
fi
