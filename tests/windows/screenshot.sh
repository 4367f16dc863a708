#!/usr/bin/env bash
# jostrela.exe's --screenshot of the church after 30 frames is the Linux game's, pixel for pixel,
# both drawn by the same software rasteriser: fullscreen on an 800 x 600 screen (no window border on
# either system), and windowed, where the view fills the client area that Wine's borders and caption
# leave of Ancho x Alto, as the Linux game's does in a window of the client's size.
source "$(dirname "$0")/../e2e/helpers/common.bash"
run_under_xvfb "$@"

: "${JOSTRELA_HOST_BUILD:?JOSTRELA_HOST_BUILD must name a Linux build}"

# Takes jostrela.exe's picture with scr.txt as it is into $1.png and checks its size is $2.
windows_picture() {
    start_game --frames 30 --screenshot "$RUN_DIR/$1.png"
    wait_for_exit 90
    [[ "$GAME_CODE" == 0 ]] || fail "exit code $GAME_CODE, stderr: $(cat "$RUN_DIR/stderr.txt")"
    size="$(identify -format '%wx%h' "$RUN_DIR/$1.png")"
    [[ "$size" =~ $2 ]] || fail "the $1 screenshot is $size"
}

# Compares $1.png with the Linux game's picture with scr.txt as it is.
same_as_linux() {
    (cd "$RUN_DIR" && "$JOSTRELA_HOST_BUILD/jostrela" --frames 30 --screenshot "linux-$1.png")
    difference="$(compare -metric AE "$RUN_DIR/$1.png" "$RUN_DIR/linux-$1.png" null: 2>&1 || true)"
    [[ "$difference" == 0 ]] || fail "the Windows and Linux $1 pictures differ in $difference pixels"
}

make_run_folder $'Ancho=800\nAlto=600\nBits=32\nFullscreen=1\n'
windows_picture fullscreen '^800x600$'
same_as_linux fullscreen
[[ -z "${JOSTRELA_E2E_KEEP:-}" ]] || cp "$RUN_DIR/fullscreen.png" "$JOSTRELA_E2E_KEEP"

printf 'Ancho=800\nAlto=600\nBits=32\nFullscreen=0\n' >"$RUN_DIR/scr.txt"
# Smaller than the window both ways: there are borders and a caption.
windows_picture windowed '^(7[0-9][0-9])x([1-5][0-9][0-9])$'
printf 'Ancho=%d\nAlto=%d\nBits=32\nFullscreen=0\n' "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" >"$RUN_DIR/scr.txt"
same_as_linux windowed
echo "ok"
