# Shared by the fault tests: runs of the game on damaged input that must end as the game promises,
# with nothing left behind. Sourced after common.bash.

# The private TMPDIR of the game (inside the run folder), which must still be empty when it ends.
TMPDIR_FOR_GAME=""

# Like make_run_folder, plus a private TMPDIR inside the run folder and a listing of the folder
# as the game finds it (RUN_DIR/.before).
make_fault_folder() {
    make_run_folder "$@"
    TMPDIR_FOR_GAME="$RUN_DIR/.tmp"
    mkdir "$TMPDIR_FOR_GAME"
    list_run_folder >"$RUN_DIR/.before"
}

list_run_folder() {
    (cd "$RUN_DIR" && find . -path ./.tmp -prune -o -path ./.before -prune -o -path ./.after -prune -o -path ./stderr.txt -prune -o -path ./.measure -prune \
        -o -print | LC_ALL=C sort)
}

# Starts the game like start_game, with the private TMPDIR. With FAULT_MEASURE naming a file, the
# game runs under /usr/bin/time, which writes "SECONDS PEAK_KB" there.
start_fault_game() {
    local measure=()
    if [[ -n "${FAULT_MEASURE:-}" ]]; then
        measure=(/usr/bin/time -f "%e %M" -o "$FAULT_MEASURE")
    fi
    (cd "$RUN_DIR" && TMPDIR="$TMPDIR_FOR_GAME" exec "${measure[@]}" "$JOSTRELA_BIN" "$@" 2>"$RUN_DIR/stderr.txt") &
    GAME_PID=$!
}

# Runs the game with the given arguments until it ends (at most $FAULT_TIMEOUT s, default 60), then
# checks that it ended with code $1 and left nothing behind.
run_fault_game() {
    local code="$1"
    shift
    start_fault_game "$@"
    wait_for_exit "${FAULT_TIMEOUT:-60}"
    [[ "$GAME_CODE" == "$code" ]] ||
        fail "exit code $GAME_CODE, expected $code; stderr: $(cat "$RUN_DIR/stderr.txt")"
    expect_nothing_left
}

# No sanitizer report, no process still working in the run folder, no file made or removed in
# it and nothing in the private TMPDIR.
expect_nothing_left() {
    if grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$RUN_DIR/stderr.txt"; then
        fail "sanitizer report: $(cat "$RUN_DIR/stderr.txt")"
    fi
    local proc
    for proc in /proc/[0-9]*; do
        if [[ "$(readlink "$proc/cwd" 2>/dev/null || true)" == "$RUN_DIR" ]]; then
            fail "process ${proc#/proc/} is still running in the run folder"
        fi
    done
    list_run_folder >"$RUN_DIR/.after"
    diff -u "$RUN_DIR/.before" "$RUN_DIR/.after" >&2 || fail "the run folder changed"
    rm "$RUN_DIR/.after"
    [[ -z "$(ls -A "$TMPDIR_FOR_GAME")" ]] || fail "temporary files left: $(ls -A "$TMPDIR_FOR_GAME")"
}

# The game's standard error holds exactly the line $1 (messages go there in non-interactive mode).
expect_message() {
    grep -qxF -e "$1" "$RUN_DIR/stderr.txt" || fail "no line '$1' in stderr: $(cat "$RUN_DIR/stderr.txt")"
}

# Like make_fault_folder, with copies of the build's models and textures that a test may damage;
# call list_run_folder >"$RUN_DIR/.before" again after damaging them.
make_copied_run_folder() {
    make_fault_folder "$@"
    local item
    for item in MODELOS Texturas; do
        [[ -d "$JOSTRELA_BUILD/run/$item" ]] || fail "no $item in $JOSTRELA_BUILD/run"
        rm -f "$RUN_DIR/$item"
        cp -r "$JOSTRELA_BUILD/run/$item" "$RUN_DIR/$item"
    done
    list_run_folder >"$RUN_DIR/.before"
}

# Overwrites COUNT bytes of FILE at offsets drawn from SEED with bytes drawn from it too.
corrupt_bytes() {
    python3 - "$1" "$2" "$3" <<'PY'
import random, sys
path, count, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
data = bytearray(open(path, "rb").read())
rng = random.Random(seed)
for _ in range(count):
    data[rng.randrange(len(data))] = rng.randrange(256)
open(path, "wb").write(data)
PY
}
