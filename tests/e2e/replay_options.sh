#!/bin/bash
# A key script that cannot be used is refused with exit code 2 before any window opens, naming the
# file, the line and the fault; a state dump that cannot be written makes the exit code 1.
set -euo pipefail
: "${JOSTRELA_BIN:?JOSTRELA_BIN must name the game}"
export JOSTRELA_MESSAGES=stderr
run_dir=$(mktemp -d)
trap 'rm -rf "$run_dir"' EXIT
cd "$run_dir"

expect_refusal() { # SCRIPT_FILE EXPECTED_TEXT
    status=0
    # No display at all: the window could not even be tried, so exit code 2 shows the refusal came
    # first.
    env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=dummy "$JOSTRELA_BIN" --keys "$1" --frames 5 \
        2>stderr.txt || status=$?
    if [ "$status" -ne 2 ] || ! grep -qF -- "$2" stderr.txt; then
        echo "FAILED: --keys $1 gave exit code $status, expected 2 and \"$2\" in:" >&2
        cat stderr.txt >&2
        exit 1
    fi
    echo "ok: $1 refused"
}

printf '0 9 W\n\n# a comment\n10 8 A\n' >backwards.txt
expect_refusal backwards.txt "backwards.txt, line 4: last frame 8 comes before first frame 10"
printf '0 9 W+JUMP\n' >unknown.txt
expect_refusal unknown.txt 'unknown.txt, line 1: unknown key "JUMP"'
expect_refusal missing.txt "missing.txt: cannot be opened"

printf 'Ancho=640\nAlto=480\nBits=24\nFullscreen=0\n' >scr.txt
# The blocks' textures must be there: a missing texture file ends the game before any frame.
ln -s "${JOSTRELA_BUILD:?}/run/Texturas" Texturas
printf '0 0 W\n' >walk.txt
status=0
"${JOSTRELA_SOURCE:?}/tests/e2e/helpers/xvfb.sh" --timeout 120 "$JOSTRELA_BIN" --keys walk.txt --frames 2 \
    --dump-state /nonexistent-folder/state.json 2>stderr.txt || status=$?
if [ "$status" -ne 1 ] || ! grep -qF "/nonexistent-folder/state.json" stderr.txt; then
    echo "FAILED: unwritable dump gave exit code $status" >&2
    cat stderr.txt >&2
    exit 1
fi
echo "ok: unwritable dump reported"
