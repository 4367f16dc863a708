#!/bin/bash
# Pews and walls stop the penguin: a step into one stops where the sphere meets it, and the frame
# after it touches one, W pushes it back. A running jump carries it over the first pew into the gap
# behind it.
source "$(dirname "$0")/lib/walkthrough.bash"

# Walking at the first pew's back rest (x 35 .. 130, z -60 .. -84) from the aisle. The fifth step
# would sink the sphere into the back rest's top edge: it stops short where the sphere meets it (view
# point z -48.83), and the contact is found the frame after.
walk_traced pew 41
expect_status 0
state_at 19
check "stopped at the back rest" 's["collided"] is False and -48.84 < s["camera"]["viewPoint"][2] < -48.82'
state_at 20
check "contact found" 's["collided"] is True and -48.86 < s["camera"]["viewPoint"][2] < -48.82'
# The next frames W pushes back 0.5 x 43 = 21.5, and then walks on towards the pew again.
state_at 21
check "rebound" 'abs(s["camera"]["viewPoint"][2] - (-48.8464 + 21.5)) < 0.01'
state_at 22
check "free again" 'abs(s["camera"]["viewPoint"][2] - (-48.8464 + 21.5 - 12.9)) < 0.01 and s["collided"] is False'
state_at 41
check "sideways into the pews (the first D has no strafe yet)" 's["camera"]["viewPoint"][0] == 70'
check "never got past the back rest" 's["camera"]["viewPoint"][2] > -60'
check "W turned round: far short of 26 free steps" 's["camera"]["viewPoint"][2] > -3 - 26 * 12.9 + 100'

# The pew jump: the same run-in with a jump over the first pew, no step turned round, W let go at the
# top; the penguin comes down between the first and second rows (z -84 and -130) and stands there
# touching nothing. A contact on the way would have turned a step round or left collided set.
walk_traced jump 50
expect_status 0
state_at 30
check "the jump is at its top, over the first pew" \
    's["jumpHeight"] == 12 and abs(s["camera"]["viewPoint"][2] - (-3 + 3 * 12.9 - 11 * 12.9)) < 0.01'
state_at 44
check "landed in the gap between two rows" \
    's["jumpHeight"] == 0 and abs(s["camera"]["viewPoint"][2] - (-3 + 3 * 12.9 - 11 * 12.9)) < 0.01'
python3 - "$run_dir/trace.jsonl" <<'PY'
import json, sys
states = [json.loads(line) for line in open(sys.argv[1])]
touched = [s["frames"] for s in states[18:] if s["collided"]]
assert not touched, f"the jump touched the level after frames {touched}"
print("ok: no contact from the take-off to six frames after landing")
PY

# Into the aisle's outer wall through an arch of the arcade.
walk wall 61
expect_status 0
check "turned a quarter left" 's["camera"]["position"][0] > s["camera"]["viewPoint"][0] + 40'
check "stopped by the wall" '-280 + 10 < s["camera"]["viewPoint"][0] < -190'
