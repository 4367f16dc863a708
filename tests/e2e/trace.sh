#!/bin/bash
# --trace writes the state after every frame, one JSON object a line with the fields of --dump-state:
# frame n's line is what --dump-state gives after n frames.
source "$(dirname "$0")/lib/walkthrough.bash"

walk wall 30 --trace trace.jsonl
expect_status 0
python3 - "$run_dir/trace.jsonl" "$run_dir/state.json" <<'PY'
import json, sys
lines = open(sys.argv[1]).read().splitlines()
states = [json.loads(line) for line in lines]
assert [s["frames"] for s in states] == list(range(1, 31)), "one line per frame, in order"
assert states[-1] == json.load(open(sys.argv[2])), "the last line differs from the dump"
assert len({json.dumps(s["camera"]) for s in states}) > 20, "the camera did not move frame by frame"
print("ok: 30 frames traced, the last equal to the dump")
PY
mv "$run_dir/trace.jsonl" "$run_dir/trace30.jsonl"
walk wall 12
expect_status 0
python3 - "$run_dir/trace30.jsonl" "$run_dir/state.json" <<'PY'
import json, sys
assert json.loads(open(sys.argv[1]).read().splitlines()[11]) == json.load(open(sys.argv[2]))
print("ok: line 12 equals the dump of a 12-frame run")
PY
