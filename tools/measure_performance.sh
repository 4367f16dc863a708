#!/usr/bin/env bash
# One measuring run for docs/PERFORMANCE.md: culled against baseline in alternate frames of one
# timedemo (ROUNDS runs, on the church and on a larger level), the levels' fragments per frame, the
# timedemo against the floor program, peak memory, the benchmarks as JSON, and the plot of cost
# against model size.
# usage: tools/measure_performance.sh [BUILD_DIR [OUT_DIR]]   (defaults: build, build/perf)
# FRAMES (default 1000), ROUNDS (default 3), LARGE_RUN (a run folder holding a larger level; by
# default BUILD_DIR/run-large, written by `jostrela-content --large`) and BENCH_ARGS (extra
# benchmark options, e.g. --benchmark_min_time=0.05 for a quick check) may be set in the
# environment.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
out="${2:-$build/perf}"
frames="${FRAMES:-1000}"
rounds="${ROUNDS:-3}"
read -r -a bench_args <<<"${BENCH_ARGS:-}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
export JOSTRELA_MESSAGES=stderr
# The octree benchmark times the church too.
export JOSTRELA_CHURCH="$build/run/MODELOS/church.3DS"

levels=("church:$build/run")
# The larger level: LARGE_RUN when given, else a run folder the content generator writes with its
# large benchmark level (skipped, with a line, when the generator cannot make one).
if [ -z "${LARGE_RUN:-}" ]; then
    if "$build/tools/content/jostrela-content" --large "$build/run-large" >/dev/null 2>&1; then
        LARGE_RUN="$build/run-large"
    else
        echo "no larger level: the content generator cannot write one; set LARGE_RUN" >&2
    fi
fi
if [ -n "${LARGE_RUN:-}" ]; then
    levels+=("large:$(cd "$LARGE_RUN" && pwd)")
fi

# game RUN_FOLDER OUT_FILE OPTIONS...: the game under Xvfb at 800 x 600, its report in OUT_FILE.
game() {
    local folder="$1" file="$2"
    shift 2
    (cd "$folder" && xvfb-run -a -s "-screen 0 800x600x24" "$build/jostrela" "$@") >"$file"
}

for level in "${levels[@]}"; do
    name="${level%%:*}"
    folder="${level#*:}"
    echo "$name: $rounds timedemos of $frames frames, culled and baseline in alternate frames" >&2
    for round in $(seq 1 "$rounds"); do
        game "$folder" "$out/alternate-$name-$round.txt" --timedemo-alternate "$frames"
        grep '^culled over baseline' "$out/alternate-$name-$round.txt" >&2
    done
    # The level's faces, and the triangles its octree's leaves hold (a face is repeated in every leaf
    # one of its corners reaches).
    "$build/tools/inspect/jostrela-inspect" model "$folder/MODELOS/church.3DS" >"$out/model-$name.json"
    "$build/tools/inspect/jostrela-inspect" octree "$folder/MODELOS/church.3DS" >"$out/octree-$name.json"
    echo "$name: the level's fragments per frame over one pass of the path" >&2
    game "$folder" "$out/fragments-$name.txt" --timedemo-alternate 658 --count-fragments
done

echo "timedemo against the floor program" >&2
bash "$root/bench/floor_ratio.sh" "$build" | tee "$out/floor.txt" >&2

echo "peak memory over a 2000-frame timedemo" >&2
(cd "$build/run" && xvfb-run -a -s "-screen 0 800x600x24" /usr/bin/time -f %M -o "$out/memory-timedemo.txt" \
    "$build/jostrela" --timedemo 2000 >/dev/null)
(cd "$build/run" && xvfb-run -a -s "-screen 0 800x600x24" /usr/bin/time -f %M -o "$out/memory-floor.txt" \
    "$build/bench/jostrela-floor" --frames 2000 >/dev/null)

echo "benchmarks" >&2
"$build/bench/bench_loading" "${bench_args[@]}" --benchmark_out="$out/loading.json" --benchmark_out_format=json \
    | tee "$out/loading.txt" >&2
"$build/bench/bench_scaling" "${bench_args[@]}" --benchmark_out="$out/scaling.json" --benchmark_out_format=json \
    | tee "$out/scaling.txt" >&2
for bench in bench_octree bench_models bench_geometry; do
    if [ -x "$build/bench/$bench" ]; then
        "$build/bench/$bench" "${bench_args[@]}" --benchmark_out="$out/${bench#bench_}.json" --benchmark_out_format=json \
            | tee "$out/${bench#bench_}.txt" >&2
    fi
done

/usr/bin/python3 "$root/tools/plot_bench.py" "$out/scaling.json" "$out/scaling.png" | tee "$out/scaling-growth.txt"
/usr/bin/python3 "$root/tools/perf_summary.py" "$out" | tee "$out/summary.md"
echo "results in $out" >&2
