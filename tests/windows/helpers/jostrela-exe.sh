#!/bin/bash
# The Windows game under Wine as one command, so the end-to-end helpers can start it like the
# Linux game. Env: JOSTRELA_EXE, JOSTRELA_WINE, WINEPREFIX, DISPLAY.
# Wine's desktop belongs to the Wine server of the prefix and stays on the X display it first
# opened; a game started on another X server (another test's) needs a fresh server first. An X
# server is known by its display and its socket (a new server may reuse the number).
marker="$WINEPREFIX/jostrela-display"
display="${DISPLAY:-} $(stat -c %i:%Y "/tmp/.X11-unix/X$(echo "${DISPLAY:-:x}" | sed 's/^[^:]*://; s/\..*//')" 2>/dev/null || true)"
if [[ "$(cat "$marker" 2>/dev/null || true)" != "$display" ]]; then
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    /usr/lib/wine/wineserver -w 2>/dev/null || true
    echo "$display" >"$marker"
fi
exec "$JOSTRELA_WINE" "$JOSTRELA_EXE" "$@"
