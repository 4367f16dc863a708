#!/usr/bin/env bash
# The soak run (sanitizer build only, CTest label "soak"): the game in the build's run folder for
# 5,000 frames of soak_keys.txt, which walks the church, presses the switch and the doors over and
# over and jumps all along. It must end by --frames with code 0, without a message or a sanitizer
# report, with a state dump of finite numbers, and leave nothing behind.
source "$JOSTRELA_SOURCE/tests/e2e/helpers/common.bash"
source "$JOSTRELA_SOURCE/tests/e2e/helpers/faults.bash"
E2E_TIMEOUT="${SOAK_TIMEOUT:-900}" run_under_xvfb "$@"

frames="${SOAK_FRAMES:-5000}"
[[ -f "$JOSTRELA_BUILD/run/MODELOS/church.3DS" ]] || fail "no run folder in $JOSTRELA_BUILD/run"

make_fault_folder
cp "$JOSTRELA_SOURCE/tests/soak/soak_keys.txt" "$RUN_DIR/keys.txt"
# The dump is the one file the run may add.
list_run_folder | sed '$a ./state.json' | LC_ALL=C sort >"$RUN_DIR/.before"
started=$SECONDS
FAULT_TIMEOUT="${SOAK_TIMEOUT:-900}" run_fault_game 0 --keys keys.txt --frames "$frames" \
    --dump-state state.json
[[ ! -s "$RUN_DIR/stderr.txt" ]] || fail "the run showed messages: $(cat "$RUN_DIR/stderr.txt")"
python3 - "$RUN_DIR/state.json" "$frames" <<'PY'
import json, math, sys
state = json.load(open(sys.argv[1]))
if state["frames"] != int(sys.argv[2]):
    sys.exit(f"FAIL: the dump is of frame {state['frames']}, not {sys.argv[2]}")
def numbers(value):
    if isinstance(value, dict):
        for item in value.values():
            yield from numbers(item)
    elif isinstance(value, list):
        for item in value:
            yield from numbers(item)
    elif isinstance(value, (int, float)) and not isinstance(value, bool):
        yield value
if not all(math.isfinite(n) for n in numbers(state)):
    sys.exit(f"FAIL: a number of the state is not finite: {json.dumps(state)}")
PY
echo "ok: $frames frames in $((SECONDS - started)) s"
