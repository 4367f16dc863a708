# Shared by the end-to-end tests of the real game binary. Sourced, never run alone.
# Env from CTest: JOSTRELA_BIN, JOSTRELA_BUILD, JOSTRELA_SOURCE, JOSTRELA_SEND_CLOSE.

set -euo pipefail

readonly CREDITS="Velmora 11-Fast coding by Quisco && Tolvan"
readonly FIRST_TITLE="Jostrela 3d modo cooperativo multijugador"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Re-runs the calling script under its own virtual X server (800 x 600, 24 bits) unless it already
# is; KILL ends a run that hangs.
run_under_xvfb() {
    if [[ -z "${JOSTRELA_E2E_XVFB:-}" ]]; then
        export JOSTRELA_E2E_XVFB=1
        exec "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh" --screen "${E2E_SCREEN:-800x600x24}" \
            --timeout "${E2E_TIMEOUT:-120}" bash "$0" "$@"
    fi
}

GAME_PID=""
RUN_DIR=""

# Ends a game still running (its open standard error would hold the test runner) and removes the
# run folder.
cleanup() {
    if [[ -n "$GAME_PID" ]]; then
        kill -KILL "$GAME_PID" 2>/dev/null || true
    fi
    if [[ -n "$RUN_DIR" ]]; then
        rm -rf "$RUN_DIR"
    fi
}

# A fresh run folder holding scr.txt with the given text (one entry a line by default) and, when the
# build's run folder has them, its models and textures. Removed when the script ends.
make_run_folder() {
    local config="${1:-$'Ancho=800\nAlto=600\nBits=32\nFullscreen=0\n'}"
    RUN_DIR="$(mktemp -d)"
    trap cleanup EXIT
    printf '%s' "$config" >"$RUN_DIR/scr.txt"
    local item
    for item in MODELOS Texturas; do
        if [[ -e "$JOSTRELA_BUILD/run/$item" ]]; then
            ln -s "$JOSTRELA_BUILD/run/$item" "$RUN_DIR/$item"
        fi
    done
}

# Starts the game in the background in RUN_DIR, standard error to RUN_DIR/stderr.txt; GAME_PID.
start_game() {
    (cd "$RUN_DIR" && exec "$JOSTRELA_BIN" "$@" 2>"$RUN_DIR/stderr.txt") &
    GAME_PID=$!
}

# Waits up to $2 seconds (default 20) for a window titled exactly $1; sets WINDOW to its id.
wait_for_window() {
    local title="$1" deadline=$((SECONDS + ${2:-20})) id
    WINDOW=""
    while ((SECONDS < deadline)); do
        for id in $(xdotool search --name "" 2>/dev/null || true); do
            if [[ "$(xdotool getwindowname "$id" 2>/dev/null || true)" == "$title" ]]; then
                WINDOW="$id"
                return 0
            fi
        done
        kill -0 "$GAME_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Waits up to $1 seconds (default 20) for the game to end; sets GAME_CODE to its exit code. A game
# that does not end is killed and the test fails.
wait_for_exit() {
    local deadline=$((SECONDS + ${1:-20}))
    while ((SECONDS < deadline)); do
        if ! kill -0 "$GAME_PID" 2>/dev/null; then
            GAME_CODE=0
            wait "$GAME_PID" || GAME_CODE=$?
            GAME_PID=""
            return 0
        fi
        sleep 0.1
    done
    fail "the game did not end within ${1:-20} s"
}

# Holds keys (xdotool names) on the focused window for $2 seconds, long enough for many frames.
hold_keys() {
    local window="$1" seconds="$2"
    shift 2
    xdotool windowfocus --sync "$window"
    xdotool keydown "$@"
    sleep "$seconds"
    xdotool keyup "$@" 2>/dev/null || true
}
