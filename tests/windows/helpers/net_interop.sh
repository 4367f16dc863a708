#!/usr/bin/env bash
# The network layer across systems: a Windows peer under Wine and a Linux peer play 300 frames over
# 127.0.0.1, each way round (Windows hosting, then Linux hosting), and both end in the same state.
set -euo pipefail
: "${JOSTRELA_HOST_BUILD:?JOSTRELA_HOST_BUILD must name a Linux build}"
linux=("$JOSTRELA_HOST_BUILD/tests/net_peer")
windows=("$JOSTRELA_WINE" "$JOSTRELA_NET_PEER_EXE")
[[ -x ${linux[0]} ]] || { echo "FAIL: no ${linux[0]} (build the net_peer target there)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

play() { # host-system client-system port
    local -n host=$1 client=$2
    local port=$3 code=0
    timeout -s KILL 60 "${host[@]}" host "$port" 300 >"$work/host.out" 2>"$work/host.err" &
    local hostPid=$!
    timeout -s KILL 60 "${client[@]}" join "127.0.0.1:$port" 300 >"$work/client.out" 2>"$work/client.err" || code=$?
    wait "$hostPid" || code=$?
    if [[ $code != 0 ]]; then
        echo "FAIL: $1 hosting $2 ended with $code: $(cat "$work/host.err" "$work/client.err")"
        exit 1
    fi
    # The Windows side ends its lines with CR LF.
    if ! cmp -s <(tr -d '\r' <"$work/host.out") <(tr -d '\r' <"$work/client.out"); then
        echo "FAIL: $1 hosting $2: $(cat "$work/host.out") against $(cat "$work/client.out")"
        exit 1
    fi
    echo "ok: $1 hosting $2 over 127.0.0.1:$port: $(tr -d '\r' <"$work/client.out")"
}

port=$((20000 + RANDOM % 20000))
play windows linux "$port"
play linux windows "$((port + 1))"
