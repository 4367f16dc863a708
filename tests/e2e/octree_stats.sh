#!/usr/bin/env bash
# --stats writes one line of octree counts per frame: the culled walk calls some leaves' lists but
# not all, every frame tests the penguin's sphere against the root at least, and the state dump
# carries the last frame's counts and the tree's leaf count.
source "$(dirname "$0")/helpers/common.bash"
run_under_xvfb "$@"

make_run_folder
[[ -e "$RUN_DIR/MODELOS/church.3DS" ]] || fail "the build's run folder has no church"
# Walk down the nave for a while, then turn round and look back.
printf '0 25 W\n26 60 LEFT\n' >"$RUN_DIR/keys.txt"
start_game --keys keys.txt --frames 70 --stats stats.txt --dump-state state.json
wait_for_exit 90
[[ "$GAME_CODE" == 0 ]] || fail "exit code $GAME_CODE, stderr: $(cat "$RUN_DIR/stderr.txt")"

"$JOSTRELA_BUILD/tools/inspect/jostrela-inspect" octree "$RUN_DIR/MODELOS/church.3DS" >"$RUN_DIR/tree.json"
python3 - "$RUN_DIR/stats.txt" "$RUN_DIR/state.json" "$RUN_DIR/tree.json" <<'PY'
import json, sys
lines = open(sys.argv[1]).read().splitlines()
state = json.load(open(sys.argv[2]))
# The game and the inspector build the same tree over the church.
assert state["octree"]["leafCount"] == json.load(open(sys.argv[3]))["leafCount"], state["octree"]
assert lines[0].split() == ["frame", "leavesDrawn", "drawNodesTested", "collideNodesTested", "facesTested"], lines[0]
rows = [list(map(int, line.split())) for line in lines[1:]]
assert [r[0] for r in rows] == list(range(1, 71)), "one line per frame, numbered from 1"
leaves = state["octree"]["leafCount"]
assert leaves > 8, state
for frame, drawn, drawTested, collideTested, faces in rows:
    assert 0 < drawn < leaves, (frame, drawn, leaves)
    assert drawTested > drawn, (frame, drawTested)
    assert collideTested >= 1, frame
last = rows[-1]
assert state["octree"] == {"leafCount": leaves, "leavesDrawn": last[1], "drawNodesTested": last[2],
                           "collideNodesTested": last[3], "facesTested": last[4]}, state["octree"]
# Culling follows the view: turning round changes what is drawn.
assert len({r[1] for r in rows}) > 3, "the leaves drawn never changed"
# Walking the nave brings the sphere near the level's faces.
assert any(r[4] > 0 for r in rows), "no face was ever tested"
print("ok")
PY

# A stats file that cannot be written is reported and the run ends with code 1.
start_game --frames 3 --stats /nonexistent-folder/stats.txt
wait_for_exit 60
[[ "$GAME_CODE" == 1 ]] || fail "exit code $GAME_CODE for an unwritable stats file"
grep -q "cannot write the stats file" "$RUN_DIR/stderr.txt" || fail "no report: $(cat "$RUN_DIR/stderr.txt")"

# A disk that fills up under the last buffered lines is found when the file is closed at the end.
start_game --frames 3 --stats /dev/full
wait_for_exit 60
[[ "$GAME_CODE" == 1 ]] || fail "exit code $GAME_CODE for a stats file on a full disk"
grep -q "jostrela: cannot write the stats file /dev/full" "$RUN_DIR/stderr.txt" ||
    fail "no report: $(cat "$RUN_DIR/stderr.txt")"
echo "ok"
