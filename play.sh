#!/usr/bin/env bash
# Builds velko01 (installing what is missing) and starts the episode.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup.sh"
exec "$root/build/release/game/velko01" "$@"
