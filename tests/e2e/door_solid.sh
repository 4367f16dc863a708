#!/bin/bash
# The second door is solid while it is down: W held from the start stops in front of it (the door
# spans z -870 .. -865); with F in the switch zone the same walk passes once the door has risen above
# the penguin's sphere (walkthrough_door); a door coming down over a penguin standing in the doorway
# waits short of it until it has walked on.
source "$(dirname "$0")/lib/walkthrough.bash"
printf 'Ancho=160\nAlto=120\nBits=32\nFullscreen=0\n' >"$run_dir/scr.txt"

# trace_check DESCRIPTION PYTHON_CONDITION: the condition over the traced states `t` must hold.
trace_check() {
    python3 - "$run_dir/trace.jsonl" "$1" "$2" <<'PY'
import json, sys
path, description, condition = sys.argv[1:]
t = [json.loads(line) for line in open(path)]
if not eval(condition, {"t": t}):
    sys.exit(f"FAILED: {description}: {condition}")
print(f"ok: {description}")
PY
}

replay '0 199 W' 200 --trace trace.jsonl
expect_status 0
trace_check "W alone never reaches the closed door" 'all(s["penguin"][2] > -865 for s in t)'
trace_check "it got there and rebounds from it" \
    'any(s["collided"] and s["penguin"][2] < -850 for s in t[150:])'

# To the switch zone, F, on into the doorway under the risen door and wait there: the door comes down
# to just over the penguin's sphere (its lower face 15.2 above the centre, one step short of touching
# it) and waits; then W takes the penguin on into the sanctuary, and the door closes behind it.
replay $'0 60 W\n61 61 F\n131 136 W\n330 360 W' 360 --trace trace.jsonl
expect_status 0
trace_check "standing in the doorway under the door" 'abs(t[200]["penguin"][2] - -867.3) < 0.1'
trace_check "the door waits over the penguin, never touching it" \
    '(not any(s["collided"] for s in t[150:330]) and
      all(abs(s["blocks"]["secondDoor"]["current"][1] - 15.2) < 0.01 for s in t[250:329]))'
trace_check "W takes it on through the doorway, and the door closes behind it" \
    'all(s["penguin"][2] < -870 for s in t[330:]) and t[359]["blocks"]["secondDoor"]["current"][1] < 0'
