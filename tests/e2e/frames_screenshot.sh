#!/usr/bin/env bash
# --frames ends the game with code 0 after its frames; --screenshot writes the last one as a PNG.
source "$(dirname "$0")/helpers/common.bash"
run_under_xvfb "$@"

make_run_folder
start_game --frames 30 --screenshot "$RUN_DIR/shot.png"
wait_for_exit 60
[[ "$GAME_CODE" == 0 ]] || fail "exit code $GAME_CODE, stderr: $(cat "$RUN_DIR/stderr.txt")"
[[ -s "$RUN_DIR/shot.png" ]] || fail "no screenshot written"
size="$(identify -format '%wx%h' "$RUN_DIR/shot.png")"
[[ "$size" == 800x600 ]] || fail "screenshot is $size, not 800x600"
if [[ ! -e "$RUN_DIR/MODELOS" ]]; then
    # With nothing to draw the frame is the cleared, black one: no loading message left in it.
    brightest="$(convert "$RUN_DIR/shot.png" -format '%[fx:maxima]' info:)"
    [[ "$brightest" == 0 ]] || fail "an empty scene left pixels of brightness $brightest"
fi
if [[ -n "${JOSTRELA_E2E_KEEP:-}" ]]; then
    cp "$RUN_DIR/shot.png" "$JOSTRELA_E2E_KEEP"
fi
echo "ok"
