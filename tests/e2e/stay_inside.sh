#!/bin/bash
# No key sequence takes the penguin through the church's walls. The two escapes players found (backing
# off an aisle wall with S; W while touching the west wall behind) and long random walks are traced
# frame by frame: every position lies inside the inner faces of the walls.
source "$(dirname "$0")/lib/walkthrough.bash"
# A small window: the walks are long and the frames' pixels do not matter here.
printf 'Ancho=160\nAlto=120\nBits=32\nFullscreen=0\n' >"$run_dir/scr.txt"

# inside DESCRIPTION: every traced position within the inner walls of the church's plan.
inside() {
    python3 - "$run_dir/trace.jsonl" "$1" <<'PY'
import json, sys
def within(x, z):
    if not -1085 < z < 170:
        return False
    if z > -445:                  # nave and aisles
        return -280 < x < 240
    if z >= -470 or -885 <= z <= -864.6:  # the archway in the screen, the doorway
        return -110 < x < 70
    return -182 < x < 142         # choir and sanctuary
states = [json.loads(line) for line in open(sys.argv[1])]
for s in states:
    x, _, z = s["penguin"]
    if not within(x, z):
        sys.exit(f"FAILED: {sys.argv[2]}: frame {s['frames']} at x {x}, z {z}")
print(f"ok: {sys.argv[2]}: {len(states)} frames inside")
PY
}

replay $'0 2 W\n3 18 LEFT\n19 60 W\n61 80 S' 100 --trace trace.jsonl
expect_status 0
inside "backing off the aisle wall with S"
replay $'0 30 S\n31 45 W' 60 --trace trace.jsonl
expect_status 0
inside "W against the west wall behind"

# Random walks: runs of W (often with a turn), S, A, D, jumps and F, a few to forty frames each. The
# first three start at the west end and reach both aisles' walls, the west wall and the choir; the
# fourth first opens the second door and walks through it, to roam the sanctuary and the apse.
for seed in 1 2 3 4; do
    python3 - "$seed" >"$run_dir/walk.keys" <<'PY'
import random, sys
rng = random.Random(int(sys.argv[1]))
keys = ["W", "W", "W", "W+LEFT", "W+RIGHT", "S", "A", "D", "LEFT", "RIGHT", "W+SPACE", "S+A", "F+W", "W+D"]
frame = 0
if sys.argv[1] == "4":
    print("0 60 W\n61 61 F\n131 144 W")
    frame = 145
while frame < 1500:
    length = rng.randint(2, 40)
    print(frame, frame + length - 1, rng.choice(keys))
    frame += length
PY
    replay "$(cat "$run_dir/walk.keys")" 1500 --trace trace.jsonl
    expect_status 0
    inside "random walk $seed"
done
