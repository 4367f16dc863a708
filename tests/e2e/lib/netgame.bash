# Shared by the tests of networked games: real game processes under one virtual X server, in small
# windows, on 127.0.0.1 only. Sourced, never run alone.
source "$(dirname "${BASH_SOURCE[0]}")/../helpers/common.bash"
run_under_xvfb "$@"

source "$(dirname "${BASH_SOURCE[0]}")/processes.bash"
printf 'Ancho=160\nAlto=120\nBits=32\nFullscreen=0\n' >"$work/scr.txt"
ln -s "$JOSTRELA_BUILD/run/MODELOS" "$work/MODELOS"
ln -s "$JOSTRELA_BUILD/run/Texturas" "$work/Texturas"

# Starts the game in $work with the arguments after NAME, in the background: standard error in
# $work/NAME.err. peer_bin and peer_dir, when set, name another game and another run folder.
start_peer() {
    local name=$1
    shift
    (cd "${peer_dir:-$work}" && exec "${peer_bin:-$JOSTRELA_BIN}" "$@" 2>"$work/$name.err") &
    pid[$name]=$!
}

# Waits up to 60 s until FILE has at least N lines (a record that far along).
wait_for_lines() {
    local file=$1 lines=$2 deadline=$((SECONDS + 60))
    until [[ -f $file ]] && (($(wc -l <"$file") >= lines)); do
        ((SECONDS < deadline)) || fail "$file did not reach $lines lines within 60 s"
        sleep 0.05
    done
}

# True when the state dumps are equal in everything but the octree's counts (which follow each
# peer's own view).
same_dumps() {
    python3 - "$@" <<'PY'
import json, sys
dumps = []
for path in sys.argv[1:]:
    state = json.load(open(path))
    state.pop("octree", None)
    dumps.append(state)
sys.exit(0 if all(d == dumps[0] for d in dumps) else 1)
PY
}

# The offline replay of the record in $work/RECORD (jostrela-replay) gives the dump $work/DUMP.
expect_offline_replay() {
    local record=$1 dump=$2 folder
    folder=$(mktemp -d -p "$work")
    mapfile -t args < <(python3 "$JOSTRELA_SOURCE/tests/e2e/helpers/record_replay.py" "$work/$record" "$folder")
    (cd "$work" && "$JOSTRELA_BUILD/tools/replay/jostrela-replay" "${args[@]}" --dump-state "$folder/offline.json") ||
        fail "the offline replay of $record failed"
    same_dumps "$work/$dump" "$folder/offline.json" || fail "$dump differs from the offline replay: ${args[*]}"
}
