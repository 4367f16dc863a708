#!/usr/bin/env bash
# Fullscreen on a display that cannot run 800 x 600 (a 1024 x 768 virtual screen offers only its
# own size): the refusal is reported and the game ends by itself with code 0.
export E2E_SCREEN=1024x768x24
source "$(dirname "$0")/helpers/common.bash"
run_under_xvfb "$@"

make_run_folder $'Ancho=800\nAlto=600\nBits=32\nFullscreen=1\n'
start_game
wait_for_exit 30
[[ "$GAME_CODE" == 0 ]] || fail "exit code $GAME_CODE"
grep -qxF "ERROR: Modo de visualización no compatible" "$RUN_DIR/stderr.txt" ||
    fail "no refusal reported: $(cat "$RUN_DIR/stderr.txt")"
echo "ok"
