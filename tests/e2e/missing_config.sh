#!/usr/bin/env bash
# Without scr.txt the game says so (caption Aviso), opens no window and ends with code 0; a file
# that lacks an entry or has a bad Fullscreen value is refused the same way, naming the problem.
source "$(dirname "$0")/helpers/common.bash"
run_under_xvfb "$@"

check_refused() {
    local expected="$1"
    start_game
    wait_for_exit 20
    [[ "$GAME_CODE" == 0 ]] || fail "exit code $GAME_CODE"
    grep -qxF "$expected" "$RUN_DIR/stderr.txt" || fail "stderr lacks '$expected': $(cat "$RUN_DIR/stderr.txt")"
    if xdotool search --name "Jostrela|Velmora" >/dev/null 2>&1; then
        fail "a window is open"
    fi
}

make_run_folder
rm "$RUN_DIR/scr.txt"
check_refused "Aviso: No se ha podido abrir scr.txt"

printf 'Ancho=800\nAlto=600\nFullscreen=0\n' >"$RUN_DIR/scr.txt"
check_refused "Aviso: scr.txt: falta la entrada Bits="

printf 'Ancho=800\nAlto=600\nBits=32\nFullscreen=2\n' >"$RUN_DIR/scr.txt"
check_refused "Aviso: scr.txt: el valor de Fullscreen= debe ser 0 o 1"
echo "ok"
