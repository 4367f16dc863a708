#!/usr/bin/env bash
# Finding a game on the local network: inside a pair of network namespaces this test makes (joined
# by a veth pair, 10.77.0.1 and 10.77.0.2, nothing else reachable), a host waits on the game's port
# in one and a search broadcast from the other finds it, as does the game's --list-games on the
# default port. Skipped, with a line saying so, where
# namespaces cannot be made (not root, no ip command).
source "$(dirname "$0")/helpers/common.bash"

peer="$JOSTRELA_BUILD/tests/net_peer"
a="jostrela-$$-a"
b="jostrela-$$-b"
host_pid=""
finish() {
    [[ -z $host_pid ]] || kill -KILL "$host_pid" 2>/dev/null || true
    ip netns del "$a" 2>/dev/null || true
    ip netns del "$b" 2>/dev/null || true
}
trap finish EXIT
if ! command -v ip >/dev/null || ! ip netns add "$a" 2>/dev/null; then
    echo "skip: network namespaces cannot be made here (needs root and the ip command)"
    exit 0
fi
ip netns add "$b"
ip link add "veth-$$-a" netns "$a" type veth peer name "veth-$$-b" netns "$b"
ip -n "$a" addr add 10.77.0.1/24 dev "veth-$$-a"
ip -n "$b" addr add 10.77.0.2/24 dev "veth-$$-b"
for ns in "$a" "$b"; do
    ip -n "$ns" link set lo up
done
ip -n "$a" link set "veth-$$-a" up
ip -n "$b" link set "veth-$$-b" up
# The broadcast leaves by the namespace's only route.
ip -n "$b" route add default dev "veth-$$-b"

port=45731
ip netns exec "$a" "$peer" host "$port" 1 2 >/dev/null 2>&1 &
host_pid=$!
found=$(ip netns exec "$b" "$peer" list "$port") || fail "no game found: $found"
[[ $found == "game Anfitrion 1/4 at 10.77.0.1:$port" ]] || fail "found: $found"
echo "ok: $found"

# The game's own search, on the default port.
kill -KILL "$host_pid"
wait "$host_pid" 2>/dev/null || true
ip netns exec "$a" "$peer" host 45730 1 2 >/dev/null 2>&1 &
host_pid=$!
listed=$(cd "$JOSTRELA_BUILD/run" && ip netns exec "$b" "$JOSTRELA_BIN" --list-games) || fail "--list-games failed"
[[ $listed == "Anfitrion 1/4 10.77.0.1:45730" ]] || fail "--list-games listed: $listed"
echo "ok: --list-games: $listed"
