#!/usr/bin/env bash
# With no display the game does not run unseen on an off-screen driver: window set-up fails with its
# message, on standard error since no box can be shown, and the game ends with code 0 at once.
source "$(dirname "$0")/helpers/common.bash"

make_run_folder
code=0
(cd "$RUN_DIR" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u JOSTRELA_MESSAGES \
    timeout -s KILL 20 "$JOSTRELA_BIN") 2>"$RUN_DIR/stderr.txt" || code=$?
[[ "$code" == 0 ]] || fail "exit code $code; stderr: $(cat "$RUN_DIR/stderr.txt")"
grep -qx "ERROR: Fallo al registrar la ventana." "$RUN_DIR/stderr.txt" ||
    fail "no window message: $(cat "$RUN_DIR/stderr.txt")"
echo "ok"
