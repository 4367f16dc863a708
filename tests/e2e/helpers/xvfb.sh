#!/usr/bin/env bash
# Runs a command under a virtual X server of its own and ends the server after it.
#
#   xvfb.sh [--screen WxHxD] [--timeout SECONDS] command [argument...]
#
# The server never resets (-noreset). By default an X server resets itself each time its last
# client disconnects, and while it does so it refuses connections: a test polling with xdotool
# while the game starts could have its short-lived connection end just as the game connected,
# and the game found no X server ("x11 not available"). Without SDL_VIDEODRIVER=x11 it then ran
# on unseen, without a window, until the test gave up waiting for one.
#
# The server also picks a free display number itself (-displayfd) and reports it once it accepts
# connections, where xvfb-run -a guesses one from the lock files in /tmp. With --timeout the
# command is killed after SECONDS; the server is ended either way. Exits with the command's code.
set -euo pipefail

screen=800x600x24
limit=""
while [[ $# -gt 0 ]]; do
    case "$1" in
    --screen) screen="$2"; shift 2 ;;
    --timeout) limit="$2"; shift 2 ;;
    *) break ;;
    esac
done

folder="$(mktemp -d)"
server=""
end_server() {
    if [[ -n "$server" ]]; then
        kill "$server" 2>/dev/null || true
        wait "$server" 2>/dev/null || true
    fi
    rm -rf "$folder"
}
trap end_server EXIT

Xvfb -displayfd 3 -noreset -screen 0 "$screen" -nolisten tcp 3>"$folder/display" 2>"$folder/server.log" &
server=$!
deadline=$((SECONDS + 60))
until grep -q '^[0-9][0-9]*$' "$folder/display" 2>/dev/null; do
    if ! kill -0 "$server" 2>/dev/null || ((SECONDS >= deadline)); then
        echo "xvfb.sh: the virtual X server did not start: $(cat "$folder/server.log")" >&2
        exit 1
    fi
    sleep 0.05
done
export DISPLAY=":$(cat "$folder/display")"
unset XAUTHORITY

code=0
if [[ -n "$limit" ]]; then
    timeout -s KILL "$limit" "$@" || code=$?
else
    "$@" || code=$?
fi
exit "$code"
