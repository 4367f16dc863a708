# Shared by the tests that run several processes of their own at once (games, stand-in players,
# relays): a work folder, the processes by name in pid, each killed and the folder removed when the
# script ends, a port to start from, and the check of a process's exit code. Sourced after
# helpers/common.bash, never run alone.

work=$(mktemp -d)
declare -A pid
end_processes() {
    local name
    for name in "${!pid[@]}"; do
        kill -KILL "${pid[$name]}" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap end_processes EXIT
port=$((20000 + RANDOM % 20000))

# Waits up to 60 s for NAME's end and checks its exit code.
expect_code() {
    local name=$1 expected=$2 code=0 deadline=$((SECONDS + 60))
    while kill -0 "${pid[$name]}" 2>/dev/null; do
        ((SECONDS < deadline)) || fail "$name did not end within 60 s"
        sleep 0.1
    done
    wait "${pid[$name]}" || code=$?
    unset "pid[$name]"
    [[ $code == "$expected" ]] || fail "$name ended with $code, not $expected: $(cat "$work/$name.err")"
}
