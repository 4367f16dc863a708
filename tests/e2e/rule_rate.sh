#!/usr/bin/env bash
# The rules keep their rate when drawing falls behind: interactive play at the default 60 steps a
# second, with every drawing padded to 50 ms (20 drawings a second at most, a test-only delay), still
# makes 60 rule steps a second within 5% (the trace has a line per step), and draws no more than 20
# frames a second (only the line of a step a drawing follows counts the leaves drawn).
source "$(dirname "$0")/helpers/common.bash"
run_under_xvfb "$@"

make_run_folder $'Ancho=160\nAlto=120\nBits=32\nFullscreen=0\n'
export JOSTRELA_TEST_DRAW_MS=50
start_game --trace trace.jsonl
wait_for_window "$CREDITS" 30 || fail "no window; stderr: $(cat "$RUN_DIR/stderr.txt")"
sleep 1
sample0="$(wc -l <"$RUN_DIR/trace.jsonl") $(date +%s.%N)"
sleep 5
sample1="$(wc -l <"$RUN_DIR/trace.jsonl") $(date +%s.%N)"
"$JOSTRELA_SEND_CLOSE" "$WINDOW"
wait_for_exit 20
[[ "$GAME_CODE" == 0 ]] || fail "exit code $GAME_CODE"
python3 - "$RUN_DIR/trace.jsonl" $sample0 $sample1 <<'PY'
import json, sys
s0, t0, s1, t1 = map(float, sys.argv[2:])
lines = open(sys.argv[1]).read().splitlines()[int(s0):int(s1)]
drawn = sum(1 for line in lines if json.loads(line)["octree"]["leavesDrawn"] > 0)
steps, drawings = (s1 - s0) / (t1 - t0), drawn / (t1 - t0)
print(f"{steps:.1f} rule steps and {drawings:.1f} drawings a second")
assert 57 <= steps <= 63, f"{steps:.1f} rule steps a second: not 60 within 5%"
assert 5 <= drawings <= 20.5, f"{drawings:.1f} drawings a second: not slowed to 20 or less"
PY
echo "ok"
