#!/bin/bash
# The rules alone give the game's numbers: every walk-through script, and four players of whom one
# joins late and one leaves early, replayed by the game and by jostrela-replay (the rules with no
# window and no GL) leave byte-identical dumps and traces, once the game's octree counts (which the
# drawing adds to) are taken out.
source "$(dirname "$0")/lib/walkthrough.bash"
replayer="$JOSTRELA_BUILD/tools/replay/jostrela-replay"

# same_numbers NAME FRAMES [OPTION...]: the game with keys.txt and the options, then the replayer.
same_numbers() {
    local name="$1" frames="$2"
    shift 2
    (cd "$run_dir" && "$JOSTRELA_SOURCE/tests/e2e/helpers/xvfb.sh" --timeout 120 "$JOSTRELA_BIN" --keys keys.txt \
        --frames "$frames" --dump-state game.json --trace game.trace "$@") || { echo "FAILED: $name: the game"; exit 1; }
    (cd "$run_dir" && "$replayer" --keys keys.txt --frames "$frames" --dump-state rules.json --trace rules.trace "$@") ||
        { echo "FAILED: $name: the replayer"; exit 1; }
    for kind in json trace; do
        sed 's/, "octree": {[^}]*}//' "$run_dir/game.$kind" >"$run_dir/game-rules.$kind"
        cmp "$run_dir/game-rules.$kind" "$run_dir/rules.$kind" || { echo "FAILED: $name: the ${kind}s differ"; exit 1; }
    done
    echo "ok: $name, $frames frames: the same bytes"
}

for keys in "$walkthrough_keys"/*.keys; do
    cp "$keys" "$run_dir/keys.txt"
    same_numbers "$(basename "$keys" .keys)" 200
done

printf '0 60 W\n61 61 F\n62 90 LEFT\n' >"$run_dir/keys.txt"
printf '0 30 S\n31 80 A+SPACE\n' >"$run_dir/p1.keys"
printf '0 80 D\n81 120 W\n' >"$run_dir/p2.keys"
printf '0 200 W+LEFT\n' >"$run_dir/p3.keys"
same_numbers "four players" 240 --players 4 --keys p1.keys --keys p2.keys --keys p3.keys \
    --join-frame 3:40 --leave-frame 1:150
