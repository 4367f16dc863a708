#!/usr/bin/env bash
# jostrela-inspect octree: the tree the game builds over a 3DS file, as JSON. Its leaves come in
# depth-first order with ordinals 0, 1, 2, ..., lie inside the root cube at widths halved per level,
# hold at most 10 faces unless at depth 4, and name each object that has faces there once, in
# ascending order; a file that cannot be read gives exit code 1 and the empty model's single leaf.
source "$(dirname "$0")/helpers/common.bash"
INSPECT="$JOSTRELA_BUILD/tools/inspect/jostrela-inspect"
make_run_folder

for name in church pinguino; do
    "$INSPECT" octree "$RUN_DIR/MODELOS/$name.3DS" >"$RUN_DIR/$name.tree.json" || fail "$name: octree not built"
    "$INSPECT" model "$RUN_DIR/MODELOS/$name.3DS" >"$RUN_DIR/$name.model.json" || fail "$name: model not read"
    python3 - "$RUN_DIR/$name.tree.json" "$RUN_DIR/$name.model.json" <<'PY' || fail "$name: tree JSON"
import json, sys
tree = json.load(open(sys.argv[1]))
model = json.load(open(sys.argv[2]))
assert tree["ok"] and tree["messages"] == [], tree["messages"]
leaves = tree["leaves"]
assert tree["leafCount"] == len(leaves) > 0
faces = sum(o["faceCount"] for o in model["objects"])
root_centre, root_width = tree["centre"], tree["width"]
routed = 0
for n, leaf in enumerate(leaves):
    assert leaf["ordinal"] == n, leaf
    assert 0 <= leaf["depth"] <= 4, leaf
    assert leaf["width"] == root_width / 2 ** leaf["depth"], leaf
    assert leaf["triangleCount"] <= 10 or leaf["depth"] == 4, leaf
    assert leaf["triangleCount"] > 0 or len(leaves) == 1, leaf
    for axis in range(3):
        assert abs(leaf["centre"][axis] - root_centre[axis]) <= (root_width - leaf["width"]) / 2 + 1e-3, leaf
    indices = leaf["objectIndices"]
    assert indices == sorted(set(indices)), leaf
    assert all(0 <= i < len(model["objects"]) for i in indices), leaf
    routed += leaf["triangleCount"]
# Faces are copied into every leaf one of their corners reaches, never dropped.
assert routed >= faces, (routed, faces)
print("ok:", sys.argv[1], len(leaves), "leaves,", faces, "faces,", routed, "routed")
PY
done

printf 'not a model' >"$RUN_DIR/bad.3ds"
set +e
"$INSPECT" octree "$RUN_DIR/bad.3ds" >"$RUN_DIR/bad.json"
code=$?
"$INSPECT" octree >/dev/null 2>"$RUN_DIR/usage.txt"
usage=$?
set -e
[[ $code == 1 ]] || fail "exit code $code for a file that is not a model"
[[ $usage == 2 ]] || fail "exit code $usage without a file"
grep -q "jostrela-inspect octree FILE" "$RUN_DIR/usage.txt" || fail "no usage line"
python3 - "$RUN_DIR/bad.json" <<'PY' || fail "bad file JSON"
import json, sys
d = json.load(open(sys.argv[1]))
assert d["ok"] is False and d["messages"], d
assert d["leafCount"] == 1 and d["leaves"][0]["triangleCount"] == 0 and d["leaves"][0]["objectIndices"] == []
PY
echo "ok"
