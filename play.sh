#!/usr/bin/env bash
# Installs what playing needs, builds the game into build-play/ (a folder of its
# own, apart from ./test.sh's build/), and starts it from its run folder (build-play/run).
# Arguments go to the game, e.g. ./play.sh --frames 600; file names given to --keys, --dump-state,
# --screenshot, --stats and --trace are taken from the folder ./play.sh was run in.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/tools/install-deps.sh" play
"$root/tools/build.sh" play

args=()
names_file=0
for arg in "$@"; do
    if ((names_file)) && [[ -n "$arg" && "$arg" != /* ]]; then
        arg="$PWD/$arg"
    fi
    names_file=0
    case "$arg" in
    --keys | --dump-state | --screenshot | --stats | --trace) names_file=1 ;;
    esac
    args+=("$arg")
done
cd "$root/build-play/run"
exec ../jostrela ${args[@]+"${args[@]}"}
