#!/usr/bin/env bash
# The ends a joining player meets, each a message and exit code 0: a full game (a fifth player), a
# level file unlike the host's, a host of another protocol version, no game at the address, and the
# host killed under four players (every client ends with its notice; how soon the silence counts is
# the session's unit test, on a clock of its own).
source "$(dirname "$0")/lib/netgame.bash"

# Expects NAME to have ended with code 0 and the one message TEXT.
expect_message() {
    local name=$1 text=$2
    expect_code "$name" 0
    grep -qxF "$text" "$work/$name.err" || fail "$name did not say '$text': $(cat "$work/$name.err")"
}

start_peer host --host "$port" --name Ana --record host.rec
for name in Beto Carla Dario; do
    start_peer "$name" --join "127.0.0.1:$port" --name "$name"
done
wait_for_lines "$work/host.rec" 1
until [[ $(awk '{print $2}' "$work/host.rec" | tail -1) == 15 ]]; do
    ((SECONDS < 60)) || fail "the four players were not in within 60 s"
    sleep 0.1
done
start_peer fifth --join "127.0.0.1:$port" --name Eva
expect_message fifth "ERROR: La partida está llena."

# Another level: the same file with one more byte.
other=$(mktemp -d -p "$work")
cp "$work/scr.txt" "$other/"
ln -s "$JOSTRELA_BUILD/run/Texturas" "$other/Texturas"
mkdir "$other/MODELOS"
ln -s "$JOSTRELA_BUILD/run/MODELOS/pinguino.3DS" "$other/MODELOS/pinguino.3DS"
{ cat "$JOSTRELA_BUILD/run/MODELOS/church.3DS"; printf '\0'; } >"$other/MODELOS/church.3DS"
(cd "$other" && exec "$JOSTRELA_BIN" --join "127.0.0.1:$port" --name Fede 2>"$work/files.err") &
pid[files]=$!
expect_message files "ERROR: Los archivos del nivel no coinciden con los del anfitrión."

kill -KILL "${pid[host]}"
expect_code host 137
for name in Beto Carla Dario; do
    expect_message "$name" "Aviso: El anfitrión ha cerrado la partida."
done

# A host of another version: it answers the first datagram with its own version's header.
python3 - "$((port + 1))" <<'PY' &
import socket, sys
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.1", int(sys.argv[1])))
s.settimeout(30)
data, peer = s.recvfrom(2048)
s.sendto(b"J3\x02\x04" + bytes(4) + data[8:12] + b"\x01", peer)
PY
pid[old]=$!
start_peer version --join "127.0.0.1:$((port + 1))" --name Gala
expect_message version "ERROR: La versión del juego no coincide con la del anfitrión."
expect_code old 0

start_peer nobody --join "127.0.0.1:$((port + 2))" --name Hugo
expect_message nobody "ERROR: No responde ninguna partida en 127.0.0.1:$((port + 2))."
echo "ok: refused when full, for its files and its version; no host; the host killed, all ended"
