#!/bin/bash
# The second door is solid while it is down: W held from the start stops in front of it (the door
# spans z -870 .. -865); with F in the switch zone the same walk passes once the door has risen above
# the penguin's sphere (walkthrough_door); a door that comes down on the penguin standing in the
# doorway touches it but does not trap it: W then takes it back out into the choir.
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

# To the switch zone, F, on into the doorway under the risen door, wait there for it to come down,
# then W (a rebound while the door touches) out of the doorway.
replay $'0 60 W\n61 61 F\n131 136 W\n330 360 W' 360 --trace trace.jsonl
expect_status 0
trace_check "standing in the doorway under the door" 'abs(t[200]["penguin"][2] - -867.3) < 0.1'
trace_check "the closing door touches the penguin" 't[300]["collided"] and t[320]["blocks"]["secondDoor"]["current"][1] == -40'
trace_check "W takes it out of the doorway, back in front of the door" \
    'all(-865 < s["penguin"][2] < -800 for s in t[331:])'
