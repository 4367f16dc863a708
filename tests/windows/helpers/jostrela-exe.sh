#!/bin/bash
# The Windows game under Wine as one command, so the end-to-end helpers can start it like the
# Linux game. Env: JOSTRELA_EXE, JOSTRELA_WINE, WINEPREFIX, DISPLAY.
# Wine's desktop belongs to the Wine server of the prefix and stays on the X display it first
# opened; a game started on another X server (another test's) needs a fresh server first.
marker="$WINEPREFIX/jostrela-display"
if [[ "$(cat "$marker" 2>/dev/null || true)" != "${DISPLAY:-} ${XAUTHORITY:-}" ]]; then
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    /usr/lib/wine/wineserver -w 2>/dev/null || true
    echo "${DISPLAY:-} ${XAUTHORITY:-}" >"$marker"
fi
exec "$JOSTRELA_WINE" "$JOSTRELA_EXE" "$@"
