#!/usr/bin/env bash
# The network layer between processes on 127.0.0.1, with the stand-in player of
# tests/e2e/helpers/net_peer.cpp (no window, 60 frames a second): four players end in the same state;
# so do two through a relay losing 5% of the datagrams and delaying each 50 ms; when a client is
# killed the others play on to the same end; when the host is killed every client ends.
source "$(dirname "$0")/helpers/common.bash"

peer="$JOSTRELA_BUILD/tests/net_peer"
relay="$JOSTRELA_SOURCE/tests/e2e/helpers/lossy_relay.py"
source "$(dirname "$0")/lib/processes.bash"

# Starts net_peer (which gives up by itself after 30 s) with the arguments after NAME in the
# background: output in $work/NAME.out, errors in NAME.err.
start() {
    local name=$1
    shift
    "$peer" "$@" >"$work/$name.out" 2>"$work/$name.err" &
    pid[$name]=$!
}
same_state() {
    local first=$1 name
    shift
    for name in "$@"; do
        cmp -s "$work/$first.out" "$work/$name.out" ||
            fail "$first and $name differ: $(cat "$work/$first.out") against $(cat "$work/$name.out")"
    done
}

# Four players.
start host host "$port" 240 4
for client in a b c; do
    start "$client" join "127.0.0.1:$port" 240
done
for name in host a b c; do
    expect_code "$name" 0
done
same_state host a b c
echo "ok: four players, $(cat "$work/host.out")"

# Two players through a lossy, slow link.
port=$((port + 1))
python3 "$relay" "$((port + 1))" "$port" 5 50 30 7 >"$work/relay.out" &
pid[relay]=$!
start host host "$port" 300 2
start a join "127.0.0.1:$((port + 1))" 300
expect_code host 0
expect_code a 0
kill -TERM "${pid[relay]}"
expect_code relay 0
same_state host a
echo "ok: 5% loss and 50 ms each way, $(cat "$work/host.out"); $(cat "$work/relay.out");" \
    "host: $(tail -1 "$work/host.err"); client: $(tail -1 "$work/a.err")"

# A client killed: the others play on.
port=$((port + 2))
start host host "$port" 420 3
start a join "127.0.0.1:$port" 420
start b join "127.0.0.1:$port" 420
sleep 2
kill -KILL "${pid[b]}"
expect_code b 137
expect_code host 0
expect_code a 0
same_state host a
echo "ok: a client killed, the others went on: $(cat "$work/host.out")"

# The host killed: the client ends when the host falls silent (how soon is the session's unit test).
port=$((port + 1))
start host host "$port" 1200 2
start a join "127.0.0.1:$port" 1200
sleep 2
kill -KILL "${pid[host]}"
expect_code host 137
expect_code a 3
echo "ok: the host killed, the client ended: $(cat "$work/a.err")"
