#!/usr/bin/env bash
# The rules keep their rate when drawing falls behind: interactive play at the default 60 steps a
# second, with every drawing padded to 50 ms (20 drawings a second at most, a test-only delay), makes
# about three rule steps per drawing (the trace has a line per step; only the line of a step a
# drawing follows counts the leaves drawn) and never more than 60 steps a second. Ratios, not wall
# clock rates: on a busy machine a drawing may take longer, and the catch-up then makes up to eight
# steps for it; the clock's own arithmetic is the rule clock's unit test.
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
assert steps <= 63, f"{steps:.1f} rule steps a second: faster than 60"
assert drawings <= 20.5, f"{drawings:.1f} drawings a second: not slowed to 20 or less"
assert drawn > 0 and 2.5 <= (s1 - s0) / drawn <= 8, f"{(s1 - s0) / max(drawn, 1):.1f} rule steps a drawing: not 3 to 8"
PY
echo "ok"
