#!/usr/bin/env bash
# ./play.sh takes the file names of --keys, --dump-state, --screenshot, --stats and --trace from the
# folder the player ran it in, although the game runs in build-play/run. Run here as a copy of play.sh
# whose install and build steps do nothing, over the real game and run folder.
source "$(dirname "$0")/helpers/common.bash"
run_under_xvfb "$@"

make_run_folder $'Ancho=160\nAlto=120\nBits=32\nFullscreen=0\n'
root="$RUN_DIR/root"
mkdir -p "$root/tools" "$root/build-play" "$RUN_DIR/player/out"
cp "$JOSTRELA_SOURCE/play.sh" "$root/"
printf '#!/bin/sh\n' >"$root/tools/install-deps.sh"
printf '#!/bin/sh\n' >"$root/tools/build.sh"
chmod +x "$root/tools/"*.sh
ln -s "$JOSTRELA_BIN" "$root/build-play/jostrela"
mkdir "$root/build-play/run"
for item in scr.txt MODELOS Texturas; do
    ln -s "$RUN_DIR/$item" "$root/build-play/run/$item"
done
printf '0 4 W\n' >"$RUN_DIR/player/walk.keys"

code=0
(cd "$RUN_DIR/player" && "$root/play.sh" --keys walk.keys --frames 5 --dump-state out/state.json \
    --screenshot out/shot.png --stats stats.txt --trace "$RUN_DIR/player/trace.jsonl") || code=$?
[[ "$code" == 0 ]] || fail "exit code $code"
for file in out/state.json out/shot.png stats.txt trace.jsonl; do
    [[ -s "$RUN_DIR/player/$file" ]] || fail "no $file where ./play.sh was run"
done
grep -q '"frames": 5' "$RUN_DIR/player/out/state.json" || fail "state: $(cat "$RUN_DIR/player/out/state.json")"
[[ -z "$(ls "$root/build-play/run" | grep -v -e scr.txt -e MODELOS -e Texturas)" ]] || fail "files left in the run folder"
echo "ok"
