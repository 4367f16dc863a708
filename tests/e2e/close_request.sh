#!/usr/bin/env bash
# The close box's request (WM_DELETE_WINDOW) ends the game with code 0 and no message.
source "$(dirname "$0")/helpers/common.bash"
run_under_xvfb "$@"

make_run_folder
start_game
wait_for_window "$CREDITS" 30 || fail "no window; stderr: $(cat "$RUN_DIR/stderr.txt")"
"$JOSTRELA_SEND_CLOSE" "$WINDOW"
wait_for_exit 20
[[ "$GAME_CODE" == 0 ]] || fail "exit code $GAME_CODE after the close request"
if grep -q "ERROR" "$RUN_DIR/stderr.txt"; then
    fail "release failed: $(cat "$RUN_DIR/stderr.txt")"
fi
echo "ok"
