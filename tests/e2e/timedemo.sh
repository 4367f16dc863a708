#!/bin/bash
# A short timedemo runs to its end, prints every figure of its report on standard output and exits
# with 0, culled and baseline alike. Times are not checked: the machine may be busy.
set -u
run="${JOSTRELA_BUILD}/run"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
fail=0

for mode in --timedemo --timedemo-baseline; do
    (cd "$run" && "${JOSTRELA_SOURCE:?}/tests/e2e/helpers/xvfb.sh" --timeout 240 \
        "$JOSTRELA_BIN" "$mode" 50 >"$out/report.txt" 2>"$out/stderr.txt")
    code=$?
    if [ "$code" -ne 0 ]; then
        echo "$mode 50 exited with $code"
        cat "$out/stderr.txt"
        fail=1
        continue
    fi
    patterns=(
        '^50 frames [0-9]+\.[0-9] seconds [0-9]+\.[0-9] fps [0-9]+\.[0-9]/[0-9]+\.[0-9]/[0-9]+\.[0-9]/[0-9]+\.[0-9] ms$'
        '^frame time median: [0-9]+\.[0-9]+ ms$'
        '^frame time 99th percentile: [0-9]+\.[0-9]+ ms$'
        '^leaves drawn per frame: [0-9]+\.[0-9] of [0-9]+ \([0-9]+\.[0-9]%\)$'
        '^octree nodes tested per frame: [0-9.]+ \(drawing [0-9.]+, collision [0-9.]+\)$'
        '^collision faces tested per frame: [0-9]+\.[0-9]$'
        '^frame CPU work \(input and rules\): [0-9.]+ ms per frame \([0-9.]+% of frame time\)$'
        '^start-up \(process start to first frame\): [0-9]+\.[0-9]+ seconds$'
    )
    for pattern in "${patterns[@]}"; do
        if ! grep -Eq "$pattern" "$out/report.txt"; then
            echo "$mode: no line matching $pattern"
            fail=1
        fi
    done
    first="$(head -n 1 "$out/report.txt")"
    if ! [[ "$first" =~ ^50\ frames ]]; then
        echo "$mode: the report does not start with the frames line: $first"
        fail=1
    fi
    expected="mode: culled"
    [ "$mode" = --timedemo-baseline ] && expected="mode: baseline (every leaf drawn, no frustum test)"
    grep -qxF "$expected" "$out/report.txt" || { echo "$mode: no line '$expected'"; fail=1; }
    # Standard error is not a terminal here: no progress lines.
    if grep -q 'timedemo:' "$out/stderr.txt"; then
        echo "$mode: progress written to a standard error that is not a terminal"
        fail=1
    fi
    [ "$fail" -ne 0 ] && cat "$out/report.txt"
done
exit "$fail"
