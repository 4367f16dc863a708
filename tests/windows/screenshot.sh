#!/usr/bin/env bash
# jostrela.exe's --screenshot of the church after 30 frames is the Linux game's, pixel for pixel:
# both fullscreen on an 800 x 600 screen (no window border on either system), both drawn by the
# same software rasteriser.
source "$(dirname "$0")/../e2e/helpers/common.bash"
run_under_xvfb "$@"

: "${JOSTRELA_HOST_BUILD:?JOSTRELA_HOST_BUILD must name a Linux build}"
make_run_folder $'Ancho=800\nAlto=600\nBits=32\nFullscreen=1\n'
start_game --frames 30 --screenshot "$RUN_DIR/windows.png"
wait_for_exit 90
[[ "$GAME_CODE" == 0 ]] || fail "exit code $GAME_CODE, stderr: $(cat "$RUN_DIR/stderr.txt")"
(cd "$RUN_DIR" && "$JOSTRELA_HOST_BUILD/jostrela" --frames 30 --screenshot linux.png)
size="$(identify -format '%wx%h' "$RUN_DIR/windows.png")"
[[ "$size" == 800x600 ]] || fail "screenshot is $size, not 800x600"
difference="$(compare -metric AE "$RUN_DIR/windows.png" "$RUN_DIR/linux.png" null: 2>&1 || true)"
[[ "$difference" == 0 ]] || fail "the Windows and Linux pictures differ in $difference pixels"
[[ -z "${JOSTRELA_E2E_KEEP:-}" ]] || cp "$RUN_DIR/windows.png" "$JOSTRELA_E2E_KEEP"
echo "ok"
