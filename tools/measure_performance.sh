#!/usr/bin/env bash
# One measuring run for docs/PERFORMANCE.md: the timedemo culled and baseline (alternating, ROUNDS
# times each), the loading and scaling benchmarks as JSON, and the plot of cost against model size.
# usage: tools/measure_performance.sh [BUILD_DIR [OUT_DIR]]   (defaults: build, build/perf)
# FRAMES (default 1000), ROUNDS (default 3) and BENCH_ARGS (extra benchmark options, e.g.
# --benchmark_min_time=0.05 for a quick check) may be set in the environment.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
out="${2:-$build/perf}"
frames="${FRAMES:-1000}"
rounds="${ROUNDS:-3}"
read -r -a bench_args <<<"${BENCH_ARGS:-}"
mkdir -p "$out"
export JOSTRELA_MESSAGES=stderr
# The octree benchmark times the church too.
export JOSTRELA_CHURCH="$build/run/MODELOS/church.3DS"

timedemo() { # MODE ROUND
    (cd "$build/run" && xvfb-run -a -s "-screen 0 800x600x24" "$build/jostrela" "$1" "$frames") \
        >"$out/timedemo${1#--timedemo}-$2.txt"
}

echo "timedemo, $rounds rounds of $frames frames, culled and baseline alternating" >&2
for round in $(seq 1 "$rounds"); do
    timedemo --timedemo "$round"
    timedemo --timedemo-baseline "$round"
    head -n 1 "$out/timedemo-$round.txt" "$out/timedemo-baseline-$round.txt" >&2
done

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
