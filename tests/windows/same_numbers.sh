#!/usr/bin/env bash
# Same game, same numbers: each walk-through script, and four players, replayed by the Linux game and
# by jostrela.exe over the same run folder for the same frames, leave byte-identical state dumps
# (camera, penguin, jump, blocks, the players and the state's hash, and the octree's counts of the
# last frame) and traces. Both run fullscreen on an
# 800 x 600 screen, where the window has no border on either system: the same 800 x 600 view.
# Twenty-two runs of the game at 800 x 600 (about 150 s here): more than the default limit of a test.
export E2E_TIMEOUT=500
source "$(dirname "$0")/../e2e/helpers/common.bash"
run_under_xvfb "$@"

: "${JOSTRELA_HOST_BUILD:?JOSTRELA_HOST_BUILD must name a Linux build}"
make_run_folder $'Ancho=800\nAlto=600\nBits=32\nFullscreen=1\n'
# The per-frame trace, where the game has it, must agree as well.
trace=()
usage="$("$JOSTRELA_HOST_BUILD/jostrela" --no-such-option 2>&1 || true)"
if [[ "$usage" == *--trace* ]]; then
    trace=(--trace trace.txt)
fi
# Four players, one joining late and one leaving early, walking into each other and the walls: the
# dump holds every slot and the state's 64-bit hash.
printf '0 60 W\n61 61 F\n62 90 LEFT\n' >"$RUN_DIR/p0.keys"
printf '0 30 S\n31 80 A+SPACE\n' >"$RUN_DIR/p1.keys"
printf '0 80 D\n81 120 W\n' >"$RUN_DIR/p2.keys"
printf '0 200 W+LEFT\n' >"$RUN_DIR/p3.keys"
for keys in "$JOSTRELA_SOURCE"/tests/walkthrough/*.keys players; do
    name=$(basename "$keys" .keys)
    players=()
    if [[ $keys == players ]]; then
        cp "$RUN_DIR/p0.keys" "$RUN_DIR/keys.txt"
        frames=240
        players=(--players 4 --keys p1.keys --keys p2.keys --keys p3.keys --join-frame 3:40 --leave-frame 1:150)
    else
        cp "$keys" "$RUN_DIR/keys.txt"
        # A few frames past the script's last held key.
        frames=$(awk '$1 ~ /^[0-9]+$/ && $2 > last { last = $2 } END { print last + 5 }' "$keys")
    fi
    for system in linux windows; do
        game="$JOSTRELA_HOST_BUILD/jostrela"
        [[ $system == windows ]] && game="$JOSTRELA_BIN"
        code=0
        (cd "$RUN_DIR" && timeout -s KILL 120 "$game" --keys keys.txt --frames "$frames" \
            --dump-state "$system.json" "${trace[@]}" "${players[@]}" 2>"$system.err") || code=$?
        [[ $code == 0 ]] || fail "$name: the $system game ended with $code: $(cat "$RUN_DIR/$system.err")"
        [[ ${#trace[@]} == 0 ]] || mv "$RUN_DIR/trace.txt" "$RUN_DIR/$system.trace"
    done
    cmp "$RUN_DIR/linux.json" "$RUN_DIR/windows.json" ||
        fail "$name: the dumps differ:$(diff "$RUN_DIR/linux.json" "$RUN_DIR/windows.json")"
    [[ ${#trace[@]} == 0 ]] || cmp "$RUN_DIR/linux.trace" "$RUN_DIR/windows.trace" ||
        fail "$name: the traces differ"
    echo "ok: $name, $frames frames: $(head -c 120 "$RUN_DIR/windows.json")..."
done
