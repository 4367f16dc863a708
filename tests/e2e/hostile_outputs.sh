#!/usr/bin/env bash
# Outputs that must never destroy anything and never fail in silence: an output naming an input or
# another output is refused before anything is opened; a run that ends before it starts leaves every
# file as it was; a named pipe never blocks the game; every failed write is reported with code 1 and
# leaves no partial file; standard streams that are full, closed or without a reader are reported;
# SIGHUP ends the game like SIGTERM.
source "$(dirname "$0")/helpers/common.bash"
source "$(dirname "$0")/helpers/faults.bash"
E2E_TIMEOUT=600 run_under_xvfb "$@"

# Checksums of every file of the run folder, links followed, so a file written through a link shows.
checksums() {
    (cd "$RUN_DIR" && find -L . -path ./.tmp -prune -o -path ./stderr.txt -prune -o -path ./.before -prune \
        -o -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum)
}

# refused DESCRIPTION CODE MESSAGE ARGS...: the game ends with CODE and MESSAGE as its only line,
# within 10 s, and every file of the run folder is as it was, byte for byte.
refused() {
    local description="$1" code="$2" message="$3"
    shift 3
    list_run_folder >"$RUN_DIR/.before"
    local sums
    sums="$(checksums)"
    local started=$SECONDS
    run_fault_game "$code" "$@"
    ((SECONDS - started <= 10)) || fail "$description: took $((SECONDS - started)) s"
    expect_message "$message"
    [[ "$(wc -l <"$RUN_DIR/stderr.txt")" == 1 ]] || fail "$description: more than the message: $(cat "$RUN_DIR/stderr.txt")"
    [[ "$(checksums)" == "$sums" ]] || fail "$description: a file changed"
    echo "ok: $description"
}

# An output naming an input, directly, through a symbolic or a hard link, or in another spelling.
make_copied_run_folder
printf '0 3 W\n' >"$RUN_DIR/keys.txt"
ln -s scr.txt "$RUN_DIR/config-link"
ln "$RUN_DIR/Texturas/WOOD.BMP" "$RUN_DIR/wood-copy.bmp"
refused "--trace on scr.txt" 2 "jostrela: --trace scr.txt: is scr.txt, which the game reads; it is left as it is" \
    --frames 5 --trace scr.txt
refused "--dump-state on the level" 2 \
    "jostrela: --dump-state ./MODELOS/../MODELOS/church.3DS: is MODELOS/church.3DS, which the game reads; it is left as it is" \
    --frames 5 --dump-state ./MODELOS/../MODELOS/church.3DS
refused "--trace on the key script" 2 "jostrela: --trace keys.txt: is keys.txt, which the game reads; it is left as it is" \
    --frames 5 --keys keys.txt --trace keys.txt
refused "--stats through a link to scr.txt" 2 \
    "jostrela: --stats config-link: is scr.txt, which the game reads; it is left as it is" --frames 5 --stats config-link
refused "--screenshot on a hard link to a texture" 2 \
    "jostrela: --screenshot wood-copy.bmp: is Texturas/WOOD.BMP, which the game reads; it is left as it is" \
    --frames 5 --screenshot wood-copy.bmp
cleanup

# Two outputs naming one file, made or still to be made; devices may be shared.
make_fault_folder
echo old >"$RUN_DIR/o"
refused "--trace and --stats on one file" 2 "jostrela: --stats o and --trace o name the same file" \
    --frames 5 --trace o --stats o
refused "--screenshot and --dump-state on one file still to be made" 2 \
    "jostrela: --screenshot o.png and --dump-state ./o.png name the same file" \
    --frames 5 --screenshot o.png --dump-state ./o.png
run_fault_game 0 --frames 3 --trace /dev/null --stats /dev/null --dump-state /dev/null
echo "ok: devices may be named by several outputs"
cleanup

# A run that ends before it starts (no scr.txt) leaves its outputs as they were.
make_fault_folder
rm "$RUN_DIR/scr.txt"
for name in t.json s.txt d.json; do echo old >"$RUN_DIR/$name"; done
refused "outputs of a run that never starts" 0 "Aviso: No se ha podido abrir scr.txt" \
    --frames 100 --trace t.json --stats s.txt --dump-state d.json
cleanup

# Named pipes without a reader are outputs that cannot be opened, at once.
make_fault_folder
mkfifo "$RUN_DIR/pipe"
list_run_folder >"$RUN_DIR/.before"
refused "a named pipe as the trace" 2 "jostrela: trace pipe: cannot be written" --frames 5 --trace pipe
refused "a named pipe as the stats file" 1 "jostrela: cannot write the stats file pipe" --frames 5 --stats pipe
refused "a named pipe as the state dump" 1 "jostrela: state dump pipe: cannot be written" --frames 5 --dump-state pipe
cleanup

# A pipe with a reader that never reads: the trace's write blocks once the pipe is full, and a stop
# signal interrupts it (the trace cannot be written whole: code 1).
make_fault_folder
mkfifo "$RUN_DIR/pipe"
exec 3<>"$RUN_DIR/pipe"
start_fault_game --frames 100000 --trace pipe
for tries in $(seq 100); do
    [[ "$(cat "/proc/$GAME_PID/wchan" 2>/dev/null)" == *pipe_write* ]] && break
    sleep 0.1
done
kill -s TERM "$GAME_PID"
wait_for_exit 3
exec 3<&-
[[ "$GAME_CODE" == 1 ]] || fail "a stop while the trace blocks: exit code $GAME_CODE"
expect_message "jostrela: trace pipe: cannot be written"
echo "ok: a stop signal interrupts a write blocked on a pipe"
cleanup

# Writes that fail: a full device, and a regular file past the size limit (the partial file goes).
make_fault_folder
refused "a screenshot on a full disk" 1 "jostrela: cannot write the screenshot /dev/full" --frames 3 --screenshot /dev/full
refused "a state dump on a full disk" 1 "jostrela: state dump /dev/full: cannot be written" --frames 3 --dump-state /dev/full
refused "a trace on a full disk" 1 "jostrela: trace /dev/full: cannot be written" --frames 3 --trace /dev/full
(cd "$RUN_DIR" && ulimit -f 4 && exec "$JOSTRELA_BIN" --frames 3 --screenshot shot.png --trace t.json \
    2>"$RUN_DIR/stderr.txt") && code=0 || code=$?
[[ "$code" == 1 ]] || fail "screenshot past the size limit: exit code $code"
expect_message "jostrela: cannot write the screenshot shot.png"
[[ ! -e "$RUN_DIR/shot.png" ]] || fail "a partial screenshot was left"
[[ "$(wc -l <"$RUN_DIR/t.json")" == 3 ]] || fail "the trace was not written beside the failed screenshot"
echo "ok: a screenshot past the file size limit is removed, the trace still written"
cleanup

# A run that ends before the screenshot's frame says so.
make_fault_folder
printf '2 2 ESCAPE\n' >"$RUN_DIR/keys.txt"
refused "Escape before the screenshot" 1 "jostrela: no screenshot written to shot.png: the run ended after 2 of its 10 frames" \
    --keys keys.txt --frames 10 --screenshot shot.png
cleanup

# Standard output full, without a reader, or closed: reported, the other outputs still written.
make_fault_folder
code=0
(cd "$RUN_DIR" && exec "$JOSTRELA_BIN" --help >/dev/full 2>"$RUN_DIR/stderr.txt") || code=$?
[[ "$code" == 1 ]] || fail "--help on a full disk: exit code $code"
expect_message "jostrela: cannot write the standard output"
set +e
(cd "$RUN_DIR" && exec "$JOSTRELA_BIN" --timedemo 20 --dump-state d.json 2>"$RUN_DIR/stderr.txt") | (exec 0<&-)
code="${PIPESTATUS[0]}"
set -e
[[ "$code" == 1 ]] || fail "timedemo report without a reader: exit code $code"
expect_message "jostrela: cannot write the standard output"
python3 -c 'import json, sys; assert json.load(open(sys.argv[1]))["frames"] == 20' "$RUN_DIR/d.json"
rm "$RUN_DIR/d.json"
code=0
(cd "$RUN_DIR" && exec "$JOSTRELA_BIN" --timedemo 20 --dump-state d.json >&- 2>"$RUN_DIR/stderr.txt") || code=$?
[[ "$code" == 1 ]] || fail "timedemo report on a closed standard output: exit code $code"
python3 -c 'import json, sys; assert json.load(open(sys.argv[1]))["frames"] == 20' "$RUN_DIR/d.json"
echo "ok: standard output full, without a reader or closed"
cleanup

# SIGHUP (the terminal closed) ends the game like SIGTERM: code 0, every output written.
make_fault_folder
start_fault_game --stats s.txt --dump-state d.json --trace t.json
for tries in $(seq 200); do
    [[ -s "$RUN_DIR/t.json" ]] && break
    sleep 0.05
done
kill -s HUP "$GAME_PID"
wait_for_exit 5
[[ "$GAME_CODE" == 0 ]] || fail "SIGHUP: exit code $GAME_CODE"
grep -q '"camera"' "$RUN_DIR/d.json" || fail "SIGHUP: no state dump"
(($(wc -l <"$RUN_DIR/s.txt") > 1)) || fail "SIGHUP: no stats lines"
echo "ok: SIGHUP ends the game like SIGTERM"
