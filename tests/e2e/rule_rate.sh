#!/usr/bin/env bash
# The rules keep their rate when drawing falls behind: interactive play at the default 60 steps a
# second, with every drawing padded to 50 ms (20 drawings a second at most, a test-only delay), still
# makes 60 rule steps a second within 5% (the trace has a line per step), and draws no more than 20
# frames a second (the stats file has a line per drawing).
source "$(dirname "$0")/helpers/common.bash"
run_under_xvfb "$@"

make_run_folder $'Ancho=160\nAlto=120\nBits=32\nFullscreen=0\n'
export JOSTRELA_TEST_DRAW_MS=50
start_game --trace trace.jsonl --stats stats.txt
wait_for_window "$CREDITS" 30 || fail "no window; stderr: $(cat "$RUN_DIR/stderr.txt")"
sleep 1
sample0="$(wc -l <"$RUN_DIR/trace.jsonl") $(wc -l <"$RUN_DIR/stats.txt") $(date +%s.%N)"
sleep 5
sample1="$(wc -l <"$RUN_DIR/trace.jsonl") $(wc -l <"$RUN_DIR/stats.txt") $(date +%s.%N)"
"$JOSTRELA_SEND_CLOSE" "$WINDOW"
wait_for_exit 20
[[ "$GAME_CODE" == 0 ]] || fail "exit code $GAME_CODE"
python3 - $sample0 $sample1 <<'PY'
import sys
s0, d0, t0, s1, d1, t1 = map(float, sys.argv[1:])
steps, drawings = (s1 - s0) / (t1 - t0), (d1 - d0) / (t1 - t0)
print(f"{steps:.1f} rule steps and {drawings:.1f} drawings a second")
assert 57 <= steps <= 63, f"{steps:.1f} rule steps a second: not 60 within 5%"
assert drawings <= 20.5, f"{drawings:.1f} drawings a second: the drawing was not slowed"
PY
echo "ok"
