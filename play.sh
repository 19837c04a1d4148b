#!/usr/bin/env bash
# Builds velko01 alone in build/play (installing what is missing) and starts the episode.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup.sh" play
exec "$root/build/play/game/velko01" "$@"
