#!/usr/bin/env bash
# jostrela-inspect as users call it: one JSON object per run, exit code 0 for a file read and 1 for
# one that is not, messages listed instead of shown, --full arrays that read back to the same
# floats, and --rgb pixels equal to ImageMagick's decode (bottom row first).
source "$(dirname "$0")/helpers/common.bash"
INSPECT="$JOSTRELA_BUILD/tools/inspect/jostrela-inspect"
make_run_folder

"$INSPECT" model "$RUN_DIR/MODELOS/church.3DS" --full > "$RUN_DIR/church.json" || fail "church not read"
python3 - "$RUN_DIR/church.json" <<'PY' || fail "church JSON"
import json, struct, sys
d = json.load(open(sys.argv[1]))
assert d["ok"] and d["messages"] == [], d["messages"]
assert d["objects"], "no objects"
for o in d["objects"]:
    assert len(o["vertices"]) == o["vertexCount"] == len(o["normals"])
    assert len(o["faces"]) == o["faceCount"] and len(o["texCoords"]) == o["texCoordCount"]
    for v in o["vertices"][:50]:
        for x in v:
            f32 = struct.unpack("f", struct.pack("f", x))[0]
            assert "%.9g" % f32 == "%.9g" % x, x
PY

printf 'not a model' > "$RUN_DIR/bad.3ds"
set +e
"$INSPECT" model "$RUN_DIR/bad.3ds" > "$RUN_DIR/bad.json"; code=$?
set -e
[[ $code == 1 ]] || fail "damaged model: exit code $code"
python3 - "$RUN_DIR/bad.json" "$RUN_DIR/bad.3ds" <<'PY' || fail "damaged model JSON"
import json, sys
d = json.load(open(sys.argv[1]))
assert d == {"ok": False, "messages": [{"caption": "Error", "text": "Error al cargar el chunk PRIMARIO del archivo " + sys.argv[2]}],
             "materials": [], "objects": []}, d
PY

set +e
"$INSPECT" model > /dev/null 2>&1; code=$?
set -e
[[ $code == 2 ]] || fail "missing argument: exit code $code"

texture="$RUN_DIR/Texturas/RedBrick.bmp"
"$INSPECT" bmp "$texture" --rgb "$RUN_DIR/ours.rgb" > "$RUN_DIR/bmp.json" || fail "texture not read"
read -r width height < <(python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); print(d["width"], d["height"])' "$RUN_DIR/bmp.json")
convert "bmp:$texture" -flip -depth 8 "rgb:$RUN_DIR/magick.rgb"
cmp "$RUN_DIR/ours.rgb" "$RUN_DIR/magick.rgb" || fail "pixels differ from ImageMagick's (${width}x${height})"

set +e
"$INSPECT" bmp "$RUN_DIR/missing.bmp" > "$RUN_DIR/missing.json"; code=$?
set -e
[[ $code == 1 ]] || fail "missing bmp: exit code $code"
grep -q '"text": "Failed to open DIB file ' "$RUN_DIR/missing.json" || fail "missing bmp message: $(cat "$RUN_DIR/missing.json")"

# The README's way of saving a texture gives a file the game reads; ImageMagick's default header
# (124 bytes) is refused as the game always has.
convert "bmp:$texture" -define bmp:format=bmp3 -type truecolor "$RUN_DIR/bmp3.bmp"
"$INSPECT" bmp "$RUN_DIR/bmp3.bmp" > "$RUN_DIR/bmp3.json" || fail "the README's texture is not read: $(cat "$RUN_DIR/bmp3.json")"
convert "bmp:$texture" "$RUN_DIR/default.bmp"
"$INSPECT" bmp "$RUN_DIR/default.bmp" > "$RUN_DIR/default.json" && fail "ImageMagick's default header was read"
grep -q '"text": "Unknown DIB file format."' "$RUN_DIR/default.json" || fail "default header: $(cat "$RUN_DIR/default.json")"
echo ok
