#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game from its run folder (build/run).
# Arguments go to the game, e.g. ./play.sh --frames 600
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/tools/install-deps.sh"
"$root/tools/build.sh"
cd "$root/build/run"
exec ../jostrela "$@"
