#!/usr/bin/env bash
# Fullscreen on a display that runs 800 x 600: the window keeps the size of scr.txt at (0, 0), the
# game runs its frames and ends with code 0, and nothing is reported. The view is the window's:
# the screen shows the top left 800 x 600 of a 1024 x 768 picture (no black band at the top, the
# penguin right of the screen's middle, under the window's middle at x = 512).
source "$(dirname "$0")/helpers/common.bash"
run_under_xvfb "$@"

make_run_folder $'Ancho=1024\nAlto=768\nBits=32\nFullscreen=1\n'
start_game --frames 100000
wait_for_window "$CREDITS" 30 || fail "no window; stderr: $(cat "$RUN_DIR/stderr.txt")"
geometry="$(xdotool getwindowgeometry "$WINDOW")"
[[ "$geometry" == *"Position: 0,0"* && "$geometry" == *"Geometry: 1024x768"* ]] || fail "window: $geometry"
sleep 2
import -window root "$RUN_DIR/screen.png"
mean() { convert "$RUN_DIR/screen.png" -crop "$1" +repage -format "%[fx:mean.$2]" info:; }
python3 - "$(mean 800x120+0+0 r)" "$(mean 800x120+0+0 b)" "$(mean 40x100+492+380 r)" <<'PY'
import sys
top_red, top_blue, penguin = map(float, sys.argv[1:])
assert top_red > top_blue + 0.1, f"top of the screen not brick red: red {top_red} blue {top_blue}"
assert penguin < 0.25, f"no penguin under the window's middle: red {penguin}"
print("ok: the view fills the window")
PY
hold_keys "$WINDOW" 0.5 Escape
wait_for_exit 20
[[ "$GAME_CODE" == 0 ]] || fail "exit code $GAME_CODE"
if grep -q "ERROR" "$RUN_DIR/stderr.txt"; then
    fail "unexpected message: $(cat "$RUN_DIR/stderr.txt")"
fi
echo "ok"
