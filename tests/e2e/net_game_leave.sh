#!/usr/bin/env bash
# Players come and go in a running game: one leaves with Escape (at frame 500), one joins late and
# takes the slot it freed, one is killed. The others play on to the same dump, which equals the
# offline replay of the host's record (each leaver removed at the frame the host announced, the
# freed slot joined again), and are told who left while they played.
source "$(dirname "$0")/lib/netgame.bash"

printf '0 59 W\n60 89 LEFT\n90 90 SPACE\n100 140 F\n300 420 S\n' >"$work/p0.keys"
printf '0 29 S\n30 69 RIGHT+W\n500 500 ESCAPE\n' >"$work/p1.keys"
printf '0 39 A\n40 40 SPACE\n' >"$work/p2.keys"
printf '0 900 W\n' >"$work/p3.keys"

start_peer host --host "$port" --name Ana --keys p0.keys --frames 800 --dump-state host.json --record host.rec
start_peer beto --join "127.0.0.1:$port" --name Beto --keys p1.keys
start_peer carla --join "127.0.0.1:$port" --name Carla --keys p2.keys
# Beto's keys end before frame 500 + 8 (the largest input delay): the host cannot run on without
# his leaving.
wait_for_lines "$work/host.rec" 520
start_peer dario --join "localhost:$port" --name Dario --keys p3.keys --dump-state dario.json --record dario.rec
wait_for_lines "$work/dario.rec" 60
kill -KILL "${pid[carla]}"
expect_code carla 137
expect_code beto 0
expect_code host 0
expect_code dario 0

same_dumps "$work/host.json" "$work/dario.json" || fail "the survivors' dumps differ"
tail -n "$(wc -l <"$work/dario.rec")" "$work/host.rec" | cmp -s - "$work/dario.rec" ||
    fail "the late player ran other frames than the host"
# Beto's leaving is the host's first: Dario takes the slot it freed.
read -r joined _ mask _ <"$work/dario.rec"
freed=$(awk '$4 != 0 {print $4; exit}' "$work/host.rec")
((joined >= 520 && mask == freed)) || fail "the late player joined at frame $joined in the slots $mask, not $freed"
expect_offline_replay host.rec host.json
for told in host:Beto host:Carla dario:Carla; do
    grep -q "^Aviso: ${told#*:} ha abandonado la partida.$" "$work/${told%%:*}.err" ||
        fail "${told%%:*} was not told ${told#*:} left"
done
echo "ok: Dario joined at frame $joined in Beto's slot; Beto left with Escape, Carla killed; left at frames" \
    "$(awk '$4 != 0 {print $1}' "$work/host.rec" | tr '\n' ' ')"
