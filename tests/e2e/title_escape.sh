#!/usr/bin/env bash
# The window opens with the class name as its title, which becomes the credits line within about
# a second; Escape, held as a real key, ends the game with code 0 even while other keys are held.
source "$(dirname "$0")/helpers/common.bash"
run_under_xvfb "$@"

make_run_folder
start_game
wait_for_window "$CREDITS" 30 || fail "no window titled '$CREDITS'; stderr: $(cat "$RUN_DIR/stderr.txt")"
wm_name="$(xprop -id "$WINDOW" WM_NAME)"
[[ "$wm_name" == "WM_NAME(STRING) = \"$CREDITS\"" ]] || fail "WM_NAME reads $wm_name"
geometry="$(xdotool getwindowgeometry "$WINDOW" | grep Geometry)"
[[ "$geometry" == *"800x600"* ]] || fail "window geometry $geometry"
hold_keys "$WINDOW" 0.5 w Left Escape
wait_for_exit 20
[[ "$GAME_CODE" == 0 ]] || fail "exit code $GAME_CODE after Escape"
echo "ok"
