#!/usr/bin/env bash
# Small hand-made files in the run folder that once cost the game gigabytes, minutes or a crash:
# count-only lists, coincident faces, a sparse model, run-length pictures of huge sizes, named
# pipes, folders and texture names that leave Texturas/. Each ends as promised, with its message
# as the only line, within a few seconds and a bounded peak memory, leaving nothing behind.
source "$(dirname "$0")/helpers/common.bash"
source "$(dirname "$0")/helpers/faults.bash"
E2E_TIMEOUT=900 run_under_xvfb "$@"

# Before the mending these took 2 to 3 GB and 17 s to minutes, or crashed; the sanitizer build's
# start-up alone takes about a second and a few hundred megabytes.
readonly MAX_SECONDS=10 MAX_PEAK_KB=$((700 * 1024))

hostile() {
    python3 "$(dirname "$0")/helpers/hostile_files.py" "$1" "$RUN_DIR/$2"
}

# expect_run DESCRIPTION CODE MESSAGE [ARGS...]: runs the game on the prepared folder (20 frames
# unless ARGS say otherwise) and checks its code, its one message (none for an empty MESSAGE), its
# time and peak memory. MESSAGE_LINES says how many times the message comes (1 by default).
expect_run() {
    local description="$1" code="$2" message="$3"
    shift 3
    list_run_folder >"$RUN_DIR/.before"
    FAULT_MEASURE="$RUN_DIR/.measure"
    run_fault_game "$code" --frames 20 "$@"
    if [[ -n "$message" ]]; then
        expect_message "$message"
        [[ "$(wc -l <"$RUN_DIR/stderr.txt")" == "${MESSAGE_LINES:-1}" ]] ||
            fail "$description: not ${MESSAGE_LINES:-1} lines of the message: $(cat "$RUN_DIR/stderr.txt")"
        [[ "$(sort -u "$RUN_DIR/stderr.txt")" == "$message" ]] || fail "$description: other lines: $(cat "$RUN_DIR/stderr.txt")"
    else
        [[ ! -s "$RUN_DIR/stderr.txt" ]] || fail "$description: a message: $(cat "$RUN_DIR/stderr.txt")"
    fi
    local seconds peak
    # /usr/bin/time puts a line about a non-zero exit code first.
    read -r seconds peak < <(tail -n 1 "$FAULT_MEASURE")
    awk -v s="$seconds" -v m="$MAX_SECONDS" 'BEGIN { exit !(s <= m) }' || fail "$description: took $seconds s"
    ((peak <= MAX_PEAK_KB)) || fail "$description: peak memory $peak KB"
    echo "ok: $description ($seconds s, $((peak / 1024)) MB)"
    cleanup
}

make_copied_run_folder
hostile count_only_3ds MODELOS/pinguino.3DS
expect_run "600 objects of count-only lists are refused" 0 \
    "Importar3DS: Error al cargar el archivo: MODELOS/pinguino.3DS!"

make_copied_run_folder
hostile coincident_3ds MODELOS/church.3DS
expect_run "65,535 coincident faces pass the octree's budget" 1 \
    "ERROR: No hay memoria suficiente para dividir el nivel"

make_copied_run_folder
hostile sparse_3ds MODELOS/church.3DS
expect_run "a sparse 2 GB level is named for what it is" 0 \
    "Importar3DS: El archivo MODELOS/church.3DS no contiene ningún objeto: tiene 2147483648 bytes y un chunk roto en el byte 6"

for kind in tall_rle_bmp wide_rle_bmp big_rle_bmp; do
    make_copied_run_folder
    hostile "$kind" Texturas/WOOD.BMP
    expect_run "$kind is refused" 0 "Error: Image file conversion error."
done

make_copied_run_folder
hostile escaping_3ds MODELOS/pinguino.3DS
expect_run "a texture name leaving Texturas/ is a texture that cannot be found" 1 \
    "CargaTexturaBMP: Texturas/../Texturas/WOOD.BMP"

make_copied_run_folder
rm "$RUN_DIR/Texturas/WOOD.BMP"
mkdir "$RUN_DIR/Texturas/WOOD.BMP"
expect_run "a folder in place of a texture is a missing texture" 1 "CargaTexturaBMP: Texturas/WOOD.BMP"

# Named pipes with no writer: the game never waits on them.
make_copied_run_folder
rm "$RUN_DIR/scr.txt"
mkfifo "$RUN_DIR/scr.txt"
expect_run "a named pipe as scr.txt" 0 "Aviso: No se ha podido abrir scr.txt"

make_copied_run_folder
rm "$RUN_DIR/MODELOS/church.3DS"
mkfifo "$RUN_DIR/MODELOS/church.3DS"
expect_run "a named pipe as the level" 0 "Importar3DS: Error al cargar el archivo: MODELOS/church.3DS!"

make_copied_run_folder
rm "$RUN_DIR/Texturas/WOOD.BMP"
mkfifo "$RUN_DIR/Texturas/WOOD.BMP"
expect_run "a named pipe as a texture" 1 "CargaTexturaBMP: Texturas/WOOD.BMP"

make_copied_run_folder
mkfifo "$RUN_DIR/keys.txt"
expect_run "a named pipe as the key script" 2 "jostrela: key script keys.txt: cannot be opened" --keys keys.txt

# A level that holds nothing to draw, and levels whose one extra vertex (of an object with no face)
# would leave the octree without the church's scale: each is named, never a void to walk out of.
make_copied_run_folder
hostile empty_3ds MODELOS/church.3DS
expect_run "a level of one empty main chunk says so" 0 \
    "Importar3DS: El archivo MODELOS/church.3DS no contiene ningún objeto con caras que dibujar"

for kind in nan_vertex_3ds far_vertex_3ds; do
    make_copied_run_folder
    hostile "$kind" MODELOS/church.3DS
    expect_run "$kind is refused" 0 \
        "Importar3DS: El archivo MODELOS/church.3DS tiene un vértice no finito o fuera de rango en el objeto \"far\""
done

# Once a file, however many chunks ask for it; and material groups cost one look-up each.
make_copied_run_folder
hostile versions_3ds MODELOS/pinguino.3DS
expect_run "9,000 version chunks warn once" 0 \
    "Atencion!!!: Este archivo 3ds es posterior a la version 3.0 por lo que podría haber errores en la carga"

make_copied_run_folder
hostile groups_3ds MODELOS/pinguino.3DS
expect_run "60,000 material groups among 2,000 materials" 0 ""

# Textures: a file named by 30 materials is read once; 30 large files together stay within the one
# budget of all textures (two fit, the other 28 are refused).
make_copied_run_folder
hostile shared_bmp_3ds MODELOS/pinguino.3DS
hostile full_rle_bmp Texturas/BIG.BMP
expect_run "30 materials naming one 4,096 x 3,000 picture" 0 ""

make_copied_run_folder
hostile many_bmp_3ds MODELOS/pinguino.3DS
hostile full_rle_bmp Texturas/BIG00.BMP
for i in $(seq -w 1 29); do
    ln "$RUN_DIR/Texturas/BIG00.BMP" "$RUN_DIR/Texturas/BIG$i.BMP"
done
MESSAGE_LINES=28 expect_run "30 materials naming 30 pictures of 4,096 x 3,000" 0 "Error: Out of memory."

# Bytes quoted from a file reach the terminal as text, never as control sequences; a UTF-8 name
# shows as itself.
make_copied_run_folder
hostile terminal_3ds MODELOS/pinguino.3DS
expect_run "a texture name of terminal controls and UTF-8" 1 'CargaTexturaBMP: Texturas/W\x1b]0;owned\x07\x1b[2Jcafé.BMP'

make_copied_run_folder
printf '0 1 W\x1b]0;owned\x07\x1b[2J\n' >"$RUN_DIR/keys.txt"
expect_run "a key script of terminal controls" 2 \
    'jostrela: key script keys.txt, line 1: unknown key "W\x1b]0;owned\x07\x1b[2J" (keys are W A S D LEFT RIGHT SPACE F ESCAPE UP DOWN F1)' \
    --keys keys.txt
