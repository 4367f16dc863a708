#!/usr/bin/env bash
# While a player's keys are missing the others wait, and after half a second say whom for over the
# frozen picture; a peer put out of step is found by the state hashes: every peer writes its dump
# and says so, the host sends it its state, and the game ends in the same state everywhere.
source "$(dirname "$0")/lib/netgame.bash"
printf 'Ancho=400\nAlto=300\nBits=32\nFullscreen=0\n' >"$work/scr.txt"

printf '0 59 W\n60 89 LEFT\n' >"$work/p0.keys"
printf '0 29 S\n30 69 RIGHT+W\n' >"$work/p1.keys"
start_peer host --host "$port" --players 2 --name Ana --keys p0.keys --frames 600 --dump-state host.json \
    --record host.rec
JOSTRELA_TEST_DESYNC_FRAME=120 start_peer beto --join "127.0.0.1:$port" --name Beto --keys p1.keys \
    --dump-state beto.json

# Beto stopped for 1.5 s: the host's window says it waits for him.
wait_for_lines "$work/host.rec" 240
# Both windows open at the top left corner: Beto's moves aside, so the host's is seen whole.
host_window=$(xdotool search --pid "${pid[host]}" | head -1)
beto_window=$(xdotool search --pid "${pid[beto]}" | head -1)
[[ -n $host_window && -n $beto_window ]] || fail "no window of the host or of Beto"
xdotool windowmove "$beto_window" 400 300
kill -STOP "${pid[beto]}"
sleep 1.5
import -window "$host_window" "$work/waiting.png"
kill -CONT "${pid[beto]}"
expect_code host 0
expect_code beto 0

# The text is white on the dim church: many pure white pixels in the band it is drawn in.
white=$(convert "$work/waiting.png" -crop 400x60+0+110 -fill black +opaque white -fill white -opaque white \
    -format '%[fx:int(mean*w*h)]' info:)
((white > 200)) || fail "no waiting text over the frozen picture ($white white pixels)"
same_dumps "$work/host.json" "$work/beto.json" || fail "the dumps differ after the resync"
expect_offline_replay host.rec host.json
for peer in host beto; do
    grep -q "^Aviso: Las partidas se han desincronizado en el frame 120.$" "$work/$peer.err" ||
        fail "$peer did not report the desync: $(cat "$work/$peer.err")"
done
[[ -f $work/host.json.desync-120.json && -f $work/beto.json.desync-120.json ]] || fail "no desync dumps"
echo "ok: waited with $white white pixels of text; the desync at frame 120 found and mended"
