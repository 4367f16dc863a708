#!/usr/bin/env bash
# Each kind of damaged scr.txt is refused with a message naming the problem (caption Aviso), and
# the game ends with code 0 before any window, leaving nothing behind. A scr.txt that cannot be
# read (here a folder of that name) is reported like a missing one.
source "$(dirname "$0")/helpers/common.bash"
source "$(dirname "$0")/helpers/faults.bash"
run_under_xvfb "$@"

# refused TEXT LINE: scr.txt holding TEXT (printf format) is refused with the message LINE.
refused() {
    make_fault_folder
    printf "$1" >"$RUN_DIR/scr.txt"
    run_fault_game 0
    expect_message "$2"
    cleanup
}

refused '' "Aviso: scr.txt: falta la entrada Ancho="
refused 'ancho=800\nalto=600\nbits=32\nfullscreen=0\n' "Aviso: scr.txt: falta la entrada Ancho="
refused 'Alto=600\nAncho=800\nBits=32\nFullscreen=0\n' "Aviso: scr.txt: falta la entrada Ancho="
refused '\xff\xfe\x01Ancho=800\nAlto=600\nBits=32\nFullscreen=0\n' "Aviso: scr.txt: falta la entrada Ancho="
refused 'Ancho=ochocientos\nAlto=600\nBits=32\nFullscreen=0\n' "Aviso: scr.txt: la entrada Ancho= no tiene un número"
refused 'Ancho=800\nAlto=99999999999\nBits=32\nFullscreen=0\n' "Aviso: scr.txt: el valor de Alto= está fuera de rango"
refused 'Ancho=800\nAlto=600\nBits=32\nFullscreen=' "Aviso: scr.txt: la entrada Fullscreen= no tiene un número"
refused 'Ancho=800\nAlto=600\nBits=32\nFullscreen=-1\n' "Aviso: scr.txt: el valor de Fullscreen= debe ser 0 o 1"
refused 'Ancho = 800\nAlto = 600\nBits = 32\nFullscreen = 0\n' "Aviso: scr.txt: la entrada Ancho= está mal escrita: sin espacios antes de ="
refused 'Ancho=800\nAlto=0\nBits=32\nFullscreen=0\n' "Aviso: scr.txt: el valor de Alto= debe ser mayor que 0"
# A window more than twice the screen (800 x 600 here) would cost gigabytes a frame.
refused 'Ancho=16384\nAlto=16384\nBits=32\nFullscreen=0\n' "Aviso: scr.txt: el valor de Ancho= (16384) pasa del doble del ancho de la pantalla (800)"
refused 'Ancho=1600\nAlto=1201\nBits=32\nFullscreen=1\n' "Aviso: scr.txt: el valor de Alto= (1201) pasa del doble del alto de la pantalla (600)"

make_fault_folder
rm "$RUN_DIR/scr.txt"
mkdir "$RUN_DIR/scr.txt"
list_run_folder >"$RUN_DIR/.before"
run_fault_game 0
expect_message "Aviso: No se ha podido abrir scr.txt"
echo "ok"
