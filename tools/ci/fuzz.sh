#!/bin/bash
# Builds the libFuzzer targets of the readers and of the network decoder with clang (a tree of its
# own, the normal build is not touched) and runs each for a bounded time. Any crash, hang (one input
# taking more than 5 s), leak, memory past the target's limit or sanitizer report fails the script;
# the input that caused it is left under <build>/fuzz/artifacts/<target>/ (copy it to
# tests/fuzz/regressions/<target>/ so the fuzz_regressions test replays it from then on).
#
#   tools/ci/fuzz.sh [SECONDS [TARGET...]]        SECONDS per target (default 60); all targets
#   tools/ci/fuzz.sh 60 fuzz_bmp                  one target
#   JOSTRELA_FUZZ_ARGS="-runs=2000000" tools/ci/fuzz.sh 3600 fuzz_3ds     a longer campaign
#
# JOSTRELA_FUZZ_BUILD names the build folder (default: <source>/build-fuzz). The corpus each target
# grows is kept under <build>/fuzz/corpus/<target>/ and is where the next run starts from.
set -euo pipefail

source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build_dir="${JOSTRELA_FUZZ_BUILD:-$source_dir/build-fuzz}"
jobs="${JOSTRELA_JOBS:-2}"
seconds="${1:-60}"
shift || true
targets=("$@")

generator=()
if command -v ninja >/dev/null && [ ! -f "$build_dir/CMakeCache.txt" ]; then
    generator=(-G Ninja)
fi
cmake -S "$source_dir" -B "$build_dir" "${generator[@]}" -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ -DJOSTRELA_FUZZ=ON -DJOSTRELA_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j "$jobs" --target jostrela_fuzz

# Seeds written by the project's own 3DS and BMP writers, next to the hand-made ones in the source.
mkdir -p "$build_dir/fuzz"
"$build_dir/tests/fuzz/make_fuzz_seeds" "$build_dir/fuzz/seeds"

# Without names: every target the build made.
if [ ${#targets[@]} -eq 0 ]; then
    for binary in "$build_dir"/tests/fuzz/fuzz_*; do
        targets+=("$(basename "$binary")")
    done
fi

export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=()
for target in "${targets[@]}"; do
    binary="$build_dir/tests/fuzz/$target"
    if [ ! -x "$binary" ]; then
        echo "fuzz: no target $target" >&2
        failed+=("$target")
        continue
    fi
    name="${target#fuzz_}"
    # The start-up target reads level files: it shares the 3DS seeds and dictionary.
    if [ "$name" = startup ]; then
        name=3ds
    fi
    corpus="$build_dir/fuzz/corpus/$target"
    artifacts="$build_dir/fuzz/artifacts/$target"
    log="$build_dir/fuzz/$target.log"
    mkdir -p "$corpus" "$artifacts"
    # Explicit input and memory limits: libFuzzer would take its length limit from the largest
    # seed, and one large file slows a target to a crawl. Every cost the game bounds stays well
    # within these (a 64 KB model may take 4.5 MB, its octree 128 MB); past them is a finding.
    # The time limit is proportionate too: the start-up target's own regression seed (65,535
    # coincident faces, built up to the octree's 128 MB budget) takes 0.5 s on an idle machine and
    # up to 2.8 s on a loaded one, so it gets ten times that; the others' inputs take milliseconds.
    case "$target" in
    fuzz_3ds | fuzz_bmp) limits=(-max_len=65536 -rss_limit_mb=1024 -timeout=5) ;;
    fuzz_startup) limits=(-max_len=65536 -rss_limit_mb=1536 -timeout=30) ;;
    # A datagram is at most 1,280 bytes: a little past it reaches the too-long paths.
    fuzz_net) limits=(-max_len=1400 -rss_limit_mb=512 -timeout=5) ;;
    *) limits=(-max_len=16384 -rss_limit_mb=512 -timeout=5) ;;
    esac
    arguments=(-max_total_time="$seconds" "${limits[@]}" -print_final_stats=1
        -artifact_prefix="$artifacts/")
    if [ -f "$source_dir/tests/fuzz/$name.dict" ]; then
        arguments+=(-dict="$source_dir/tests/fuzz/$name.dict")
    fi
    seeds=()
    for folder in "$source_dir/tests/fuzz/seeds/$name" "$build_dir/fuzz/seeds/$name" \
        "$source_dir/tests/fuzz/regressions/$target"; do
        if [ -d "$folder" ]; then
            seeds+=("$folder")
        fi
    done
    echo "fuzz: $target for ${seconds} s"
    # shellcheck disable=SC2086 # JOSTRELA_FUZZ_ARGS holds separate libFuzzer flags
    if "$binary" "${arguments[@]}" ${JOSTRELA_FUZZ_ARGS:-} "$corpus" "${seeds[@]}" >"$log" 2>&1; then
        grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$log" | sed "s/^/fuzz: $target /"
    else
        echo "fuzz: $target FAILED (log: $log)" >&2
        grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -20 >&2 || true
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzz: failed: ${failed[*]}" >&2
    exit 1
fi
echo "fuzz: all ${#targets[@]} targets ran ${seconds} s without a finding"
