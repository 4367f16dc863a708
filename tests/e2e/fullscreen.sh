#!/usr/bin/env bash
# Fullscreen on a display that runs 800 x 600: the window keeps the size of scr.txt at (0, 0), the
# game runs its frames and ends with code 0, and nothing is reported.
source "$(dirname "$0")/helpers/common.bash"
run_under_xvfb "$@"

make_run_folder $'Ancho=1024\nAlto=768\nBits=32\nFullscreen=1\n'
start_game --frames 100000
wait_for_window "$CREDITS" 30 || fail "no window; stderr: $(cat "$RUN_DIR/stderr.txt")"
geometry="$(xdotool getwindowgeometry "$WINDOW")"
[[ "$geometry" == *"Position: 0,0"* && "$geometry" == *"Geometry: 1024x768"* ]] || fail "window: $geometry"
hold_keys "$WINDOW" 0.5 Escape
wait_for_exit 20
[[ "$GAME_CODE" == 0 ]] || fail "exit code $GAME_CODE"
if grep -q "ERROR" "$RUN_DIR/stderr.txt"; then
    fail "unexpected message: $(cat "$RUN_DIR/stderr.txt")"
fi
echo "ok"
