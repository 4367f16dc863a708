# Shared by the replay tests: a fresh run folder (screen configuration and the blocks' textures, no
# models: the game reports them on standard error and runs with empty ones) and runs of the game
# under its own X server with a key script, a frame count and a state dump.
set -euo pipefail
: "${JOSTRELA_BIN:?JOSTRELA_BIN must name the game}"
export JOSTRELA_MESSAGES=stderr

run_dir=$(mktemp -d)
trap 'rm -rf "$run_dir"' EXIT
printf 'Ancho=640\nAlto=480\nBits=24\nFullscreen=0\n' >"$run_dir/scr.txt"
mkdir -p "$run_dir/Texturas"
python3 - "$run_dir/Texturas" <<'PY'
import struct, sys
# An 8 x 8 grey 24-bit BMP for each block texture.
pixels = bytes([128]) * (8 * 8 * 3)
header = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, 8, 8, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
for name in ("RedBrick.bmp", "Redbrick.bmp", "LEET_SKI.bmp"):
    with open(f"{sys.argv[1]}/{name}", "wb") as out:
        out.write(header + info + pixels)
PY

# replay SCRIPT FRAMES [OPTION...]: runs the game with the key script text for at most FRAMES frames
# and any further options; the state is left in $run_dir/state.json and the exit code in $status.
replay() {
    printf '%s\n' "$1" >"$run_dir/keys.txt"
    rm -f "$run_dir/state.json"
    status=0
    (cd "$run_dir" && "${JOSTRELA_SOURCE:?}/tests/e2e/helpers/xvfb.sh" --timeout 120 \
        "$JOSTRELA_BIN" --keys keys.txt --frames "$2" --dump-state state.json "${@:3}") || status=$?
}

# check DESCRIPTION PYTHON_CONDITION: the condition over the dump's object `s` must hold.
check() {
    python3 - "$run_dir/state.json" "$1" "$2" <<'PY'
import json, math, sys
path, description, condition = sys.argv[1:]
s = json.load(open(path))
if not eval(condition, {"math": math, "s": s}):
    sys.exit(f"FAILED: {description}: {condition}\nstate: {json.dumps(s)}")
print(f"ok: {description}")
PY
}

# expect_status CODE: the last replay ended with CODE.
expect_status() {
    if [ "$status" -ne "$1" ]; then
        echo "FAILED: exit code $status, expected $1" >&2
        exit 1
    fi
}
