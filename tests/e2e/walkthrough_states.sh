#!/bin/bash
# Every walk-through script, run on for thirty frames after its last key, leaves exactly the state
# recorded beside it in tests/walkthrough/NAME.state.json (the octree's counts left out: they follow
# the window's size). A change of the rules of play shows here as a changed state; a recorded state
# is only renewed together with the change that explains it.
source "$(dirname "$0")/lib/walkthrough.bash"

for expected in "$walkthrough_keys"/*.state.json; do
    name=$(basename "$expected" .state.json)
    frames=$(python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["frames"])' "$expected")
    walk "$name" "$frames"
    expect_status 0
    python3 - "$run_dir/state.json" "$expected" "$name" <<'PY'
import json, sys
actual, expected = json.load(open(sys.argv[1])), json.load(open(sys.argv[2]))
actual.pop("octree", None)
if actual != expected:
    sys.exit(f"FAILED: {sys.argv[3]}: state after {expected['frames']} frames\n"
             f"expected {json.dumps(expected)}\nactual   {json.dumps(actual)}")
print(f"ok: {sys.argv[3]}: state after {expected['frames']} frames as recorded")
PY
done
