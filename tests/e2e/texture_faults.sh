#!/usr/bin/env bash
# Textures: a file a material names that is missing ends the game at start-up with its path as the
# message (caption CargaTexturaBMP) and exit code 1; files that are present but cannot be decoded
# are reported by the reader (caption Error) and the game runs on without them, ending cleanly
# after its frames. Nothing is left behind either way.
source "$(dirname "$0")/helpers/common.bash"
source "$(dirname "$0")/helpers/faults.bash"
E2E_TIMEOUT=600 run_under_xvfb "$@"

make_copied_run_folder
rm "$RUN_DIR/Texturas/WOOD.BMP"
list_run_folder >"$RUN_DIR/.before"
run_fault_game 1 --frames 20
expect_message "CargaTexturaBMP: Texturas/WOOD.BMP"
[[ "$(wc -l <"$RUN_DIR/stderr.txt")" == 1 ]] || fail "more than the message: $(cat "$RUN_DIR/stderr.txt")"
echo "ok: a missing texture ends the game with code 1"
cleanup

make_copied_run_folder
# A header size of 99: not a form the reader knows.
printf 'BM\x36\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x63\x00\x00\x00' >"$RUN_DIR/Texturas/ROOF.BMP"
# Headers of a 64 x 64 picture whose rows are missing.
head -c 200 "$JOSTRELA_BUILD/run/Texturas/GLASS.BMP" >"$RUN_DIR/Texturas/GLASS.BMP"
# Random bytes.
python3 -c 'import random, sys; r = random.Random(3); sys.stdout.buffer.write(bytes(r.randrange(256) for _ in range(4000)))' \
    >"$RUN_DIR/Texturas/STONE.BMP"
list_run_folder >"$RUN_DIR/.before"
run_fault_game 0 --frames 20
expect_message "Error: Unknown DIB file format."
expect_message "Error: Image file conversion error."
[[ "$(wc -l <"$RUN_DIR/stderr.txt")" == 3 ]] || fail "not three messages: $(cat "$RUN_DIR/stderr.txt")"
echo "ok: undecodable textures are reported and the game runs on"
