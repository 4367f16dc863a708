#!/usr/bin/env bash
# A fullscreen start that ends on a missing texture gives the display its mode back: the game
# switches a 1024 x 768 screen to 800 x 600 (a mode added to the virtual server with xrandr), says
# which texture is missing, ends with code 1 and leaves the screen at 1024 x 768.
export E2E_SCREEN=1024x768x24
source "$(dirname "$0")/helpers/common.bash"
source "$(dirname "$0")/helpers/faults.bash"
run_under_xvfb "$@"

current_mode() { xrandr | awk '/\*/ {print $1}'; }

output="$(xrandr | awk '/ connected/ {print $1; exit}')"
xrandr --newmode 800x600 40.00 800 840 968 1056 600 601 605 628 -hsync +vsync
xrandr --addmode "$output" 800x600
[[ "$(current_mode)" == 1024x768 ]] || fail "the screen starts at $(current_mode)"

make_fault_folder $'Ancho=800\nAlto=600\nBits=32\nFullscreen=1\n'
rm "$RUN_DIR/Texturas"
mkdir "$RUN_DIR/Texturas"
ln -s "$JOSTRELA_BUILD"/run/Texturas/* "$RUN_DIR/Texturas/"
rm "$RUN_DIR/Texturas/WOOD.BMP"
list_run_folder >"$RUN_DIR/.before"
run_fault_game 1 --frames 20
# The texture's message is the only one: the switch to 800 x 600 was made, not refused.
expect_message "CargaTexturaBMP: Texturas/WOOD.BMP"
[[ "$(wc -l <"$RUN_DIR/stderr.txt")" == 1 ]] || fail "more than the message: $(cat "$RUN_DIR/stderr.txt")"
[[ "$(current_mode)" == 1024x768 ]] || fail "the game left the screen at $(current_mode)"
echo "ok"
