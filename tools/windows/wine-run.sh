#!/bin/bash
# Runs a Windows program of the cross build under Wine: quiet, in the prefix named by WINEPREFIX or
# else in a temporary one of its own that goes when the program ends. The first start in a new
# prefix creates it (15 to 20 seconds).
set -euo pipefail
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINEDEBUG=-all
if [ -z "${WINEPREFIX:-}" ]; then
    WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/jostrela-wine.XXXXXX")
    export WINEPREFIX
    trap '"$(dirname "$wine")/wineserver" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
    "$wine" "$@"
    exit
fi
exec "$wine" "$@"
