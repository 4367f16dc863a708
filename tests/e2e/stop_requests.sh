#!/usr/bin/env bash
# Ending the game from outside. SIGTERM or SIGINT at any point (while the models are read, during
# start-up, between frames) ends it within moments with code 0 and no message; so do SIGTERM and
# SIGHUP while a message box waits; losing the X server
# is taken as a close request: code 0 and the --dump-state file written.
source "$(dirname "$0")/helpers/common.bash"
source "$(dirname "$0")/helpers/faults.bash"
E2E_TIMEOUT=600 run_under_xvfb "$@"

# Waits until the game catches SIGTERM (bit 15 of SigCgt): before that the process is still being
# loaded and none of its code has run. Until the subshell that starts it has made its exec, the
# process is that shell, which may catch the signals itself (for the script's EXIT trap): so the
# process must run the game's executable first.
wait_for_catch() {
    local tries game
    game="$(readlink -f "$JOSTRELA_BIN")"
    for tries in $(seq 200); do
        local caught
        caught="$(awk '/^SigCgt:/ { print $2 }' "/proc/$GAME_PID/status" 2>/dev/null || true)"
        if [[ "$(readlink "/proc/$GAME_PID/exe" 2>/dev/null)" == "$game" && -n "$caught" ]] &&
            ((0x$caught & (1 << 14))); then
            return 0
        fi
        sleep 0.01
    done
    fail "the game never caught SIGTERM"
}

for delay in ${STOP_DELAYS:-0 0.05 0.2 0.5 1 2}; do
    for signal in TERM INT; do
        make_fault_folder
        list_run_folder >"$RUN_DIR/.before"
        start_fault_game
        wait_for_catch
        sleep "$delay"
        kill -s "$signal" "$GAME_PID"
        wait_for_exit 3
        [[ "$GAME_CODE" == 0 ]] || fail "SIG$signal after $delay s: exit code $GAME_CODE"
        [[ ! -s "$RUN_DIR/stderr.txt" ]] || fail "SIG$signal after $delay s: $(cat "$RUN_DIR/stderr.txt")"
        expect_nothing_left
        cleanup
    done
    echo "ok: SIGTERM and SIGINT $delay s after start"
done

# The signals are the game's own before the video library starts: with a driver that cannot start,
# the game spends a second retrying its display with no video library running, and a SIGTERM then
# must not end the process (it goes on to the window's designed message and code 0).
make_fault_folder
SDL_VIDEODRIVER=no-such-driver start_fault_game
sleep 0.5
kill -s TERM "$GAME_PID"
wait_for_exit 10
[[ "$GAME_CODE" == 0 ]] || fail "SIGTERM before the video library started: exit code $GAME_CODE"
expect_nothing_left
cleanup
echo "ok: the signals are caught before the video library starts"

# A stop while a message box waits for its OK ends the box and the game, and the message is still
# written (on standard error).
for signal in TERM HUP; do
    make_fault_folder
    rm "$RUN_DIR/scr.txt"
    list_run_folder >"$RUN_DIR/.before"
    JOSTRELA_MESSAGES=box start_fault_game
    # The box is a window of its own named after its caption (xdotool's search does not list it).
    for tries in $(seq 300); do
        xwininfo -root -tree 2>/dev/null | grep -q '"Aviso"' && break
        kill -0 "$GAME_PID" 2>/dev/null || break
        sleep 0.1
    done
    xwininfo -root -tree 2>/dev/null | grep -q '"Aviso"' || fail "no message box: $(cat "$RUN_DIR/stderr.txt")"
    sleep 0.5
    kill -s "$signal" "$GAME_PID"
    wait_for_exit 3
    [[ "$GAME_CODE" == 0 ]] || fail "SIG$signal while a box is up: exit code $GAME_CODE"
    expect_message "Aviso: No se ha podido abrir scr.txt"
    expect_nothing_left
    cleanup
done
echo "ok: SIGTERM and SIGHUP while a message box is up"

# A server of its own, ended while the game draws: the first display from :150 with no lock.
display_number=150
while [[ -e "/tmp/.X$display_number-lock" ]]; do
    display_number=$((display_number + 1))
done
# -noreset: the probe below must not leave the server resetting as the game connects. The server is
# ended with the script whatever happens, or its open output would hold the test runner.
Xvfb ":$display_number" -noreset -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
server_pid=$!
for tries in $(seq 100); do
    DISPLAY=":$display_number" xdpyinfo >/dev/null 2>&1 && break
    kill -0 "$server_pid" || fail "Xvfb :$display_number did not start"
    sleep 0.2
done
make_fault_folder
trap 'kill "$server_pid" 2>/dev/null || true; cleanup' EXIT
dump="$(mktemp)"
DISPLAY=":$display_number" start_fault_game --dump-state "$dump"
DISPLAY=":$display_number" wait_for_window "$CREDITS" 60 || fail "no window: $(cat "$RUN_DIR/stderr.txt")"
kill "$server_pid"
wait_for_exit 10
[[ "$GAME_CODE" == 0 ]] || fail "the lost server ended the game with $GAME_CODE: $(cat "$RUN_DIR/stderr.txt")"
grep -q '"camera"' "$dump" || fail "no state dump after the server was lost: $(cat "$dump")"
rm "$dump"
expect_nothing_left
echo "ok: a lost X server is a close request"
