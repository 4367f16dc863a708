#!/usr/bin/env bash
# Configures and builds (JOBS sets the parallelism). Without arguments: everything, tests and
# benchmarks, into build/, with the build's output; JOSTRELA_WERROR=ON makes every compiler warning
# an error there, as CI does. With "play": only the game and the run folder the content generator
# writes, into build-play/, with one progress line (the build's output goes to
# build-play/play-build.log). The two builds keep folders of their own, so neither run flips the
# other's options and rebuilds, and a play build never takes -Werror from a CI run.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="${JOBS:-$(nproc)}"
if [[ "${1:-}" != "play" ]]; then
    cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJOSTRELA_TESTS=ON -DJOSTRELA_BENCH=ON \
        -DJOSTRELA_WERROR="${JOSTRELA_WERROR:-OFF}"
    cmake --build "$root/build" -j "$jobs"
    exit 0
fi
log="$root/build-play/play-build.log"
mkdir -p "$root/build-play"
echo "Building the game (log in build-play/play-build.log)..."
if ! { cmake -S "$root" -B "$root/build-play" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJOSTRELA_TESTS=OFF \
    -DJOSTRELA_BENCH=OFF -DJOSTRELA_WERROR=OFF &&
    cmake --build "$root/build-play" -j "$jobs" --target jostrela; } >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    echo "build: the game did not build; the whole output is in $log" >&2
    exit 1
fi
