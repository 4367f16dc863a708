#!/usr/bin/env bash
# Configures and builds into build/ (JOBS sets the parallelism). With "play": only the game and the
# run folder the content generator writes, no tests or benchmarks, with one progress line (the
# build's output goes to build/play-build.log). Otherwise everything, with the build's output;
# JOSTRELA_WERROR=ON makes every compiler warning an error there, as CI does.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="${JOBS:-$(nproc)}"
if [[ "${1:-}" != "play" ]]; then
    cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJOSTRELA_TESTS=ON -DJOSTRELA_BENCH=ON \
        -DJOSTRELA_WERROR="${JOSTRELA_WERROR:-OFF}"
    cmake --build "$root/build" -j "$jobs"
    exit 0
fi
log="$root/build/play-build.log"
mkdir -p "$root/build"
echo "Building the game (log in build/play-build.log)..."
if ! { cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJOSTRELA_TESTS=OFF \
    -DJOSTRELA_BENCH=OFF && cmake --build "$root/build" -j "$jobs" --target jostrela; } >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    echo "build: the game did not build; the whole output is in $log" >&2
    exit 1
fi
