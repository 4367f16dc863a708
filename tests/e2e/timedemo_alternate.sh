#!/bin/bash
# The alternating timedemo reports both modes, each over half the frames, and their ratio; with
# --count-fragments each report counts the level's fragments, plausibly: some pass the depth test,
# no more than are shaded, and fewer than a hundred times the window's pixels are shaded.
set -u
run="${JOSTRELA_BUILD}/run"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

(cd "$run" && "${JOSTRELA_SOURCE:?}/tests/e2e/helpers/xvfb.sh" --timeout 240 \
    "$JOSTRELA_BIN" --timedemo-alternate 40 --count-fragments >"$out/report.txt" 2>"$out/stderr.txt")
code=$?
if [ "$code" -ne 0 ]; then
    echo "--timedemo-alternate 40 exited with $code"
    cat "$out/stderr.txt"
    exit 1
fi
fail=0
[ "$(grep -Ec '^20 frames ' "$out/report.txt")" -eq 2 ] || { echo "not two reports of 20 frames"; fail=1; }
for mode in "culled" "baseline (every leaf drawn, no frustum test)"; do
    grep -qxF "mode: $mode, alternate frames" "$out/report.txt" || { echo "no report of $mode"; fail=1; }
done
grep -Eq '^culled over baseline, alternate frames: [0-9]+\.[0-9]{3} \(frames per second\), [0-9]+\.[0-9]{3} \(median frame time\)$' \
    "$out/report.txt" || { echo "no ratio line"; fail=1; }
# shaded and passing fragments per frame, in millions, culled then baseline
counts="$(sed -En 's/^level fragments per frame: ([0-9.]+) M shaded .*, ([0-9.]+) M passing the depth test .*/\1 \2/p' \
    "$out/report.txt" | tr '\n' ' ')"
if ! awk -v c="$counts" 'BEGIN { n = split(c, v, " ");
        exit !(n == 4 && v[2] > 0.01 && v[4] > 0.01 && v[2] <= v[1] && v[4] <= v[3] && v[1] < 48 && v[3] < 48) }'; then
    echo "implausible fragment counts (shaded, passed; culled then baseline): $counts"
    fail=1
fi
[ "$fail" -ne 0 ] && cat "$out/report.txt"
exit "$fail"
