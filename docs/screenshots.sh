#!/bin/bash
# Remakes the README's pictures with the game's own --screenshot: the start view and the second
# door raised, reduced to 400 x 300. Usage: docs/screenshots.sh [BUILD_DIR] (default build).
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="$(cd "${1:-$source_dir/build}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

shoot() { # KEYS FRAMES OUTPUT
    (cd "$build_dir/run" && xvfb-run -a -s "-screen 0 800x600x24" "$build_dir/jostrela" \
        --keys "$1" --frames "$2" --screenshot "$work/shot.png")
    convert "$work/shot.png" -resize 400x300 -strip "$3"
}

printf '# the start view: no keys held\n' >"$work/none.keys"
shoot "$work/none.keys" 3 "$source_dir/docs/start.png"
shoot "$source_dir/tests/walkthrough/door_view.keys" 176 "$source_dir/docs/door-open.png"
