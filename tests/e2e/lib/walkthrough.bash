# Shared by the walk-through tests: the replay helpers over the build's real run folder (the church,
# the penguin and every texture, from the content generator) with a 160 x 120 window: the rules of
# play do not depend on the window's size, and the software rasteriser draws it fast. (Its 4:3
# matches 800 x 600, so even the culling is the same.)
source "$(dirname "${BASH_SOURCE[0]}")/replay.bash"
: "${JOSTRELA_BUILD:?JOSTRELA_BUILD must name the build folder}"
: "${JOSTRELA_SOURCE:?JOSTRELA_SOURCE must name the source folder}"

rm -rf "$run_dir/Texturas"
ln -s "$JOSTRELA_BUILD/run/Texturas" "$run_dir/Texturas"
ln -s "$JOSTRELA_BUILD/run/MODELOS" "$run_dir/MODELOS"
printf 'Ancho=160\nAlto=120\nBits=32\nFullscreen=0\n' >"$run_dir/scr.txt"
walkthrough_keys="$JOSTRELA_SOURCE/tests/walkthrough"

# walk NAME FRAMES [OPTION...]: replays the key script tests/walkthrough/NAME.keys.
walk() {
    local name="$1"
    shift
    replay "$(cat "$walkthrough_keys/$name.keys")" "$@"
}

# walk_traced NAME FRAMES [OPTION...]: replays NAME.keys once for FRAMES frames, keeping the state
# after every frame for state_at.
walk_traced() {
    walk "$@" --trace trace.jsonl
}

# state_at FRAME: the state after FRAME frames of the last traced walk becomes the state that
# check reads.
state_at() {
    sed -n "${1}p" "$run_dir/trace.jsonl" >"$run_dir/state.json"
    [ -s "$run_dir/state.json" ] || { echo "FAILED: no traced state after $1 frames" >&2; exit 1; }
}
