#!/usr/bin/env bash
# Real message boxes (MessageBoxA), not lines on standard error: fullscreen on a screen that cannot
# run 800 x 600, with a texture missing. The refusal's box comes first and posts the quit request;
# the texture's box, shown while that request waits, must still be up to be read. Each is found by
# its title and answered with Return; the missing texture ends the game with code 1.
export E2E_SCREEN=1024x768x24
source "$(dirname "$0")/../e2e/helpers/common.bash"
run_under_xvfb "$@"
unset JOSTRELA_MESSAGES

make_run_folder $'Ancho=800\nAlto=600\nBits=32\nFullscreen=1\n'
rm "$RUN_DIR/Texturas"
mkdir "$RUN_DIR/Texturas"
start_game

# Answers the box titled $1 with Return once it is up.
answer_box() {
    wait_for_window "$1" 60 || fail "no box titled '$1'; stderr: $(cat "$RUN_DIR/stderr.txt")"
    xdotool windowfocus --sync "$WINDOW"
    xdotool key Return
}
answer_box "ERROR"
answer_box "CargaTexturaBMP"
wait_for_exit 30
[[ "$GAME_CODE" == 1 ]] || fail "exit code $GAME_CODE after the missing texture"
[[ ! -s "$RUN_DIR/stderr.txt" ]] || fail "the boxes went to standard error: $(cat "$RUN_DIR/stderr.txt")"
echo "ok"
