#!/usr/bin/env bash
# --frames ends the game with code 0 after its frames; --screenshot writes the last one as a PNG,
# the same picture every run.
source "$(dirname "$0")/helpers/common.bash"
run_under_xvfb "$@"

make_run_folder
start_game --frames 30 --screenshot "$RUN_DIR/shot.png"
wait_for_exit 60
[[ "$GAME_CODE" == 0 ]] || fail "exit code $GAME_CODE, stderr: $(cat "$RUN_DIR/stderr.txt")"
[[ -s "$RUN_DIR/shot.png" ]] || fail "no screenshot written"
size="$(identify -format '%wx%h' "$RUN_DIR/shot.png")"
[[ "$size" == 800x600 ]] || fail "screenshot is $size, not 800x600"
# The same frames make the same picture: a second run writes an identical image.
start_game --frames 30 --screenshot "$RUN_DIR/again.png"
wait_for_exit 60
[[ "$GAME_CODE" == 0 ]] || fail "second run: exit code $GAME_CODE"
difference="$(compare -metric AE "$RUN_DIR/shot.png" "$RUN_DIR/again.png" null: 2>&1 || true)"
[[ "$difference" == 0 ]] || fail "two runs differ in $difference pixels"
if [[ -n "${JOSTRELA_E2E_KEEP:-}" ]]; then
    cp "$RUN_DIR/shot.png" "$JOSTRELA_E2E_KEEP"
fi
echo "ok"
