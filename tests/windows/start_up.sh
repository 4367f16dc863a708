#!/usr/bin/env bash
# jostrela.exe opens its window titled with the class name and shows "CARGANDO..." (drawn with
# wglUseFontBitmaps) while it loads; the first frame puts up the credits title; Escape, held as a
# real key and read through DirectInput, ends it with code 0.
source "$(dirname "$0")/../e2e/helpers/common.bash"
run_under_xvfb "$@"

make_run_folder
# A 4096 x 4096 stone texture keeps the loading text up for a good while: its reading and its
rm "$RUN_DIR/Texturas"
cp -r "$JOSTRELA_BUILD/run/Texturas" "$RUN_DIR/Texturas"
python3 - "$RUN_DIR/Texturas/STONE.BMP" <<'PY'
import struct, sys
side = 4096
pixels = bytes([150, 150, 150]) * (side * side)
header = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, side, side, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
with open(sys.argv[1], "wb") as out:
    out.write(header + info + pixels)
PY
start_game
# Until the first frame the window keeps its first title; every picture of it taken meanwhile is
# either still blank or shows the loading text.
deadline=$((SECONDS + 90))
first_title=0
loading_shown=0
while ((SECONDS < deadline)); do
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended: $(cat "$RUN_DIR/stderr.txt")"
    for id in $(xdotool search --name "^(Jostrela 3d|Velmora)" 2>/dev/null || true); do
        title="$(xdotool getwindowname "$id" 2>/dev/null || true)"
        if [[ "$title" == "$FIRST_TITLE" ]]; then
            first_title=1
            shot="$RUN_DIR/loading.png"
            import -window "$id" "$shot" 2>/dev/null || continue
            # The loading text's colour (0.25, 0.25, 1.0) is the only blue in the picture.
            blue=$(convert "$shot" -fuzz 5% -fill black +opaque "rgb(64,64,255)" -fill white \
                -opaque "rgb(64,64,255)" -format '%[fx:mean*w*h]' info:)
            if ((${blue%.*} > 500)); then
                loading_shown=1
                [[ -z "${JOSTRELA_E2E_KEEP:-}" ]] || cp "$shot" "$JOSTRELA_E2E_KEEP"
            fi
        elif [[ "$title" == "$CREDITS" ]]; then
            WINDOW="$id"
        fi
    done
    [[ -z "${WINDOW:-}" ]] || break
    sleep 0.05
done
[[ -n "${WINDOW:-}" ]] || fail "no window titled '$CREDITS'; stderr: $(cat "$RUN_DIR/stderr.txt")"
((first_title)) || fail "the first title '$FIRST_TITLE' was never seen"
((loading_shown)) || fail "no picture taken during start-up shows the loading text"
wm_name="$(xprop -id "$WINDOW" WM_NAME)"
[[ "$wm_name" == "WM_NAME(STRING) = \"$CREDITS\"" ]] || fail "WM_NAME reads $wm_name"
hold_keys "$WINDOW" 1 Escape
wait_for_exit 30
[[ "$GAME_CODE" == 0 ]] || fail "exit code $GAME_CODE after Escape"
echo "ok"
