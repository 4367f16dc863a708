# Shared by the walk-through tests: the replay helpers over the build's real run folder (the church,
# the penguin and every texture, from the content generator) with an 800 x 600 window.
source "$(dirname "${BASH_SOURCE[0]}")/replay.bash"
: "${JOSTRELA_BUILD:?JOSTRELA_BUILD must name the build folder}"
: "${JOSTRELA_SOURCE:?JOSTRELA_SOURCE must name the source folder}"

rm -rf "$run_dir/Texturas"
ln -s "$JOSTRELA_BUILD/run/Texturas" "$run_dir/Texturas"
ln -s "$JOSTRELA_BUILD/run/MODELOS" "$run_dir/MODELOS"
printf 'Ancho=800\nAlto=600\nBits=32\nFullscreen=0\n' >"$run_dir/scr.txt"
walkthrough_keys="$JOSTRELA_SOURCE/tests/walkthrough"

# walk NAME FRAMES [OPTION...]: replays the key script tests/walkthrough/NAME.keys.
walk() {
    local name="$1"
    shift
    replay "$(cat "$walkthrough_keys/$name.keys")" "$@"
}
