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

# Three players in a networked game on this machine, seen by the host turned round.
printf '0 31 LEFT\n32 41 S\n50 60 D\n' >"$work/turn.keys"
printf '0 8 S\n' >"$work/back.keys"
printf '0 5 S+A\n' >"$work/aside.keys"
port=$((20000 + RANDOM % 20000))
xvfb-run -a -s "-screen 0 800x600x24" bash -c "cd '$build_dir/run' &&
    { '$build_dir/jostrela' --join 127.0.0.1:$port --name Beto --keys '$work/back.keys' & } &&
    { '$build_dir/jostrela' --join 127.0.0.1:$port --name Carla --keys '$work/aside.keys' & } &&
    '$build_dir/jostrela' --host $port --players 3 --name Ana --keys '$work/turn.keys' --frames 90 \
        --screenshot '$work/shot.png' && wait"
convert "$work/shot.png" -resize 400x300 -strip "$source_dir/docs/play-together.png"
