#!/usr/bin/env bash
# Real message boxes (MessageBoxA), not lines on standard error: fullscreen on a screen that cannot
# run 800 x 600, a damaged texture and a missing one. The refusal's box comes first and posts the
# quit request; the boxes shown while that request waits must still be up to be read. The damaged
# file's box belongs to the game's window (the one with the keyboard focus). Each box is found by its
# title and answered; the missing texture ends the game with code 1.
export E2E_SCREEN=1024x768x24
source "$(dirname "$0")/../e2e/helpers/common.bash"
run_under_xvfb "$@"
unset JOSTRELA_MESSAGES

make_run_folder $'Ancho=800\nAlto=600\nBits=32\nFullscreen=1\n'
rm "$RUN_DIR/Texturas"
cp -r "$JOSTRELA_BUILD/run/Texturas" "$RUN_DIR/Texturas"
printf 'BM' >"$RUN_DIR/Texturas/STONE.BMP"
rm "$RUN_DIR/Texturas/LEET_SKI.bmp"
start_game

# Waits for a box whose title is one of $1 (a pattern); its window is BOX and its title TITLE.
find_box() {
    local deadline=$((SECONDS + 60)) id name
    BOX=""
    while [[ -z "$BOX" ]] && ((SECONDS < deadline)); do
        for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null || true); do
            name="$(xdotool getwindowname "$id" 2>/dev/null || true)"
            [[ "$name" =~ ^($1)$ ]] && BOX="$id" && TITLE="$name"
        done
        kill -0 "$GAME_PID" 2>/dev/null || break
        sleep 0.1
    done
    [[ -n "$BOX" ]] || fail "no box titled $1; stderr: $(cat "$RUN_DIR/stderr.txt")"
}

# Answers BOX with its close button (as good as OK for a box with nothing else) and waits until its
# window is gone, so that the next search cannot find the answered box again.
answer_box() {
    local tries
    "$JOSTRELA_SEND_CLOSE" "$BOX"
    for ((tries = 0; tries < 100; ++tries)); do
        xdotool getwindowname "$BOX" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "the box titled $TITLE stayed up after its close button"
}

find_box "ERROR"
answer_box
wait_for_window "$FIRST_TITLE" 60 || fail "no game window"
find_box "Error"
owner="$(xprop -id "$BOX" WM_TRANSIENT_FOR)"
[[ "$owner" == *"$(printf '0x%x' "$WINDOW")" ]] || fail "the damaged texture's box is not the window's: $owner"
answer_box
# Every material of the damaged file has its box; the missing file's comes after them.
for ((box = 0; box < 20; ++box)); do
    find_box "Error|CargaTexturaBMP"
    answer_box
    [[ "$TITLE" == Error ]] || break
done
[[ "$TITLE" == CargaTexturaBMP ]] || fail "the missing texture's box never came"
wait_for_exit 30
[[ "$GAME_CODE" == 1 ]] || fail "exit code $GAME_CODE after the missing texture"
[[ ! -s "$RUN_DIR/stderr.txt" ]] || fail "the boxes went to standard error: $(cat "$RUN_DIR/stderr.txt")"
echo "ok"
