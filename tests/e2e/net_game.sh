#!/usr/bin/env bash
# Two, three and four real games on 127.0.0.1 under one X server, each with its key script, and two
# through a lossy, slow link: every peer runs the same frames with the same keys (their records are
# equal), every dump is the same but for the octree's counts, and equals the offline replay of the
# record.
source "$(dirname "$0")/lib/netgame.bash"

printf '0 59 W\n60 89 LEFT\n90 90 SPACE\n100 140 F\n' >"$work/p0.keys"
printf '0 29 S\n30 69 RIGHT+W\n' >"$work/p1.keys"
printf '0 39 A\n40 40 SPACE\n50 99 W+LEFT\n' >"$work/p2.keys"
printf '0 19 D\n20 139 W\n' >"$work/p3.keys"
names=(Ana Beto Carla Dario)

for players in 2 3 4; do
    port=$((port + 1))
    start_peer host --host "$port" --players "$players" --name Ana --keys p0.keys --frames 240 \
        --dump-state host.json --record host.rec
    for ((slot = 1; slot < players; slot++)); do
        start_peer "c$slot" --join "127.0.0.1:$port" --name "${names[slot]}" --keys "p$slot.keys" \
            --dump-state "c$slot.json" --record "c$slot.rec"
    done
    expect_code host 0
    dumps=("$work/host.json")
    for ((slot = 1; slot < players; slot++)); do
        expect_code "c$slot" 0
        cmp -s "$work/host.rec" "$work/c$slot.rec" || fail "$players players: c$slot ran other keys than the host"
        dumps+=("$work/c$slot.json")
    done
    same_dumps "${dumps[@]}" || fail "$players players: the dumps differ"
    python3 -c "import json,sys; s=json.load(open(sys.argv[1])); sys.exit(sum(p['present'] for p in s['players']) != $players)" \
        "$work/host.json" || fail "$players players: not every player is in the dump"
    expect_offline_replay host.rec host.json
    echo "ok: $players players, $(wc -l <"$work/host.rec") frames"
done

# Two players through a link losing 5% of the datagrams and delaying each 50 ms: the same game.
port=$((port + 2))
python3 "$JOSTRELA_SOURCE/tests/e2e/helpers/lossy_relay.py" "$((port + 1))" "$port" 5 50 60 7 >"$work/relay.out" &
pid[relay]=$!
start_peer host --host "$port" --players 2 --name Ana --keys p0.keys --frames 300 --dump-state host.json \
    --record host.rec
start_peer c1 --join "127.0.0.1:$((port + 1))" --name Beto --keys p1.keys --dump-state c1.json --record c1.rec
expect_code host 0
expect_code c1 0
kill -TERM "${pid[relay]}"
expect_code relay 0
cmp -s "$work/host.rec" "$work/c1.rec" || fail "lossy link: the client ran other keys than the host"
same_dumps "$work/host.json" "$work/c1.json" || fail "lossy link: the dumps differ"
expect_offline_replay host.rec host.json
echo "ok: 5% loss and 50 ms each way, 300 frames, the same dumps; $(cat "$work/relay.out")"
