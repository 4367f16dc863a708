#!/usr/bin/env bash
# How close the game comes to the least a frame can cost: ROUNDS rounds, each running the floor
# program (bench/floor_frame.cpp: clear and one full-window textured, lit quad) and then the game's
# timedemo, one after the other under the same X server, and prints each round's timedemo fps over
# floor fps, then their minimum and median, and the peak resident memory of both programs (the
# floor's is the window, the GL driver and its threads; the game's beyond it is the game's own).
# usage: bench/floor_ratio.sh [BUILD_DIR [RUN_DIR]]   (defaults: build, BUILD_DIR/run)
# ROUNDS (default 5), FRAMES (timedemo frames a round, default 658: one pass of the path),
# FLOOR_FRAMES (default 1000) and TIMEDEMO (the mode option, default --timedemo) may be set.
# Without a DISPLAY it starts one Xvfb at 800 x 600 x 24 for the whole run.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
run="$(cd "${2:-$build/run}" && pwd)"
rounds="${ROUNDS:-5}"
frames="${FRAMES:-658}"
floor_frames="${FLOOR_FRAMES:-1000}"
mode="${TIMEDEMO:---timedemo}"

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 800x600x24" bash "${BASH_SOURCE[0]}" "$build" "$run"
fi
export JOSTRELA_MESSAGES=stderr
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

# Runs COMMAND... in the run folder; its report goes to $out/report, its peak memory (kB) to $out/memory.
measure() {
    (cd "$run" && /usr/bin/time -f %M -o "$out/memory" "$@") >"$out/report"
}
fps() { awk 'NR == 1 && $6 == "fps" { print $5 }' "$out/report"; }

: >"$out/ratios"
floor_memory=0
game_memory=0
for round in $(seq 1 "$rounds"); do
    measure "$build/bench/jostrela-floor" --frames "$floor_frames"
    floor_fps="$(fps)"
    floor_memory="$(cat "$out/memory")"
    measure "$build/jostrela" "$mode" "$frames"
    game_fps="$(fps)"
    game_memory="$(cat "$out/memory")"
    ratio="$(awk -v g="$game_fps" -v f="$floor_fps" 'BEGIN { printf "%.3f", g / f }')"
    echo "$ratio" >>"$out/ratios"
    echo "round $round: floor $floor_fps fps, timedemo $game_fps fps, timedemo / floor $ratio"
done
sort -g "$out/ratios" | awk '{ r[NR] = $1 } END {
    median = NR % 2 ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2
    printf "timedemo fps / floor fps over %d rounds: min %.3f, median %.3f\n", NR, r[1], median }'
awk -v f="$floor_memory" -v g="$game_memory" 'BEGIN {
    printf "peak resident memory: timedemo %.0f MB, floor %.0f MB (window and GL driver)\n", g / 1024, f / 1024 }'
