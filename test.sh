#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (unit tests offscreen, end-to-end tests
# each under their own virtual X server: no display is needed). Arguments go to ctest, so
# `./test.sh -L unit` runs one part of the suite.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/tools/install-deps.sh"
"$root/tools/build.sh"
cd "$root/build"
ctest -j 2 --output-on-failure "$@"
