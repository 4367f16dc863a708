#!/usr/bin/env bash
# A 3DS model that is missing, cannot be read, is cut short or damaged: the game says what it
# promises (nothing for damage it reads past), runs with what it could load (an empty model at
# worst) and still ends cleanly after its frames with code 0, leaving nothing behind.
source "$(dirname "$0")/helpers/common.bash"
source "$(dirname "$0")/helpers/faults.bash"
E2E_TIMEOUT=600 run_under_xvfb "$@"

frames=(--frames 20)

# damaged DESCRIPTION MESSAGE: runs the game on the damaged copy; MESSAGE (may be empty) must be
# the only line on standard error.
damaged() {
    list_run_folder >"$RUN_DIR/.before"
    run_fault_game 0 "${frames[@]}"
    if [[ -n "$2" ]]; then
        expect_message "$2"
        [[ "$(wc -l <"$RUN_DIR/stderr.txt")" == 1 ]] || fail "$1: more than the message: $(cat "$RUN_DIR/stderr.txt")"
    else
        [[ ! -s "$RUN_DIR/stderr.txt" ]] || fail "$1: unexpected messages: $(cat "$RUN_DIR/stderr.txt")"
    fi
    echo "ok: $1"
    cleanup
}

make_copied_run_folder
rm "$RUN_DIR/MODELOS/church.3DS"
damaged "no level model" "Importar3DS: Error al cargar el archivo: MODELOS/church.3DS!"

make_copied_run_folder
rm "$RUN_DIR/MODELOS/pinguino.3DS"
mkdir "$RUN_DIR/MODELOS/pinguino.3DS"
damaged "a folder in place of the penguin" "Importar3DS: Error al cargar el archivo: MODELOS/pinguino.3DS!"

make_copied_run_folder
: >"$RUN_DIR/MODELOS/church.3DS"
damaged "an empty level file" "Error: Error al cargar el chunk PRIMARIO del archivo MODELOS/church.3DS"

make_copied_run_folder
printf 'XY' | dd of="$RUN_DIR/MODELOS/church.3DS" conv=notrunc status=none
damaged "a level file that is not a 3DS file" "Error: Error al cargar el chunk PRIMARIO del archivo MODELOS/church.3DS"

make_copied_run_folder
truncate -s 300000 "$RUN_DIR/MODELOS/church.3DS"
truncate -s 20000 "$RUN_DIR/MODELOS/pinguino.3DS"
damaged "both models cut short" ""

make_copied_run_folder
corrupt_bytes "$RUN_DIR/MODELOS/church.3DS" 400 1
corrupt_bytes "$RUN_DIR/MODELOS/pinguino.3DS" 100 2
# Damage may change a chunk's length so that a version chunk is read as one: its warning is allowed.
# So is the refusal of a model whose damaged vertex lies at infinity or out of the float's reach.
list_run_folder >"$RUN_DIR/.before"
run_fault_game 0 "${frames[@]}"
if grep -v -e '^Atencion!!!: ' -e '^Importar3DS: El archivo MODELOS/.* tiene un vértice no finito o fuera de rango en el objeto ' \
    "$RUN_DIR/stderr.txt" | grep -q .; then
    fail "damaged bytes: unexpected messages: $(cat "$RUN_DIR/stderr.txt")"
fi
echo "ok: damaged bytes in both models"
