#!/usr/bin/env bash
# jostrela.exe under Wine and the Linux game in one networked game on 127.0.0.1, each hosting once:
# both play the same frames with the same keys (equal records) and end in the same state.
export E2E_TIMEOUT=400
source "$(dirname "$0")/../e2e/lib/netgame.bash"

: "${JOSTRELA_HOST_BUILD:?JOSTRELA_HOST_BUILD must name a Linux build}"
# The Linux game plays from the Linux build's run folder, the Windows game from its own.
linux="$work/linux"
mkdir "$linux"
cp "$work/scr.txt" "$linux/"
ln -s "$JOSTRELA_HOST_BUILD/run/MODELOS" "$linux/MODELOS"
ln -s "$JOSTRELA_HOST_BUILD/run/Texturas" "$linux/Texturas"
printf '0 59 W\n60 89 LEFT\n90 90 SPACE\n100 140 F\n' >"$work/p0.keys"
printf '0 29 S\n30 69 RIGHT+W\n' >"$work/p1.keys"
cp "$work"/p*.keys "$linux/"

# Waits up to 60 s for a UDP socket bound to the port (a game under Wine starts slowly).
wait_for_port() {
    local deadline=$((SECONDS + 60))
    until ss -Hlun "sport = :$1" | grep -q .; do
        ((SECONDS < deadline)) || fail "nothing listened on port $1 within 60 s"
        sleep 0.2
    done
}

for hosting in windows linux; do
    port=$((port + 1))
    host_args=(--host "$port" --players 2 --name Ana --keys p0.keys --frames 240 --dump-state host.json
        --record host.rec)
    join_args=(--join "127.0.0.1:$port" --name Beto --keys p1.keys --dump-state client.json --record client.rec)
    if [[ $hosting == windows ]]; then
        start_peer host "${host_args[@]}"
        wait_for_port "$port"
        peer_dir=$linux peer_bin=$JOSTRELA_HOST_BUILD/jostrela start_peer client "${join_args[@]}"
        folder=(work linux)
    else
        peer_dir=$linux peer_bin=$JOSTRELA_HOST_BUILD/jostrela start_peer host "${host_args[@]}"
        wait_for_port "$port"
        start_peer client "${join_args[@]}"
        folder=(linux work)
    fi
    expect_code host 0
    expect_code client 0
    host_dir=${!folder[0]}
    client_dir=${!folder[1]}
    cmp -s "$host_dir/host.rec" "$client_dir/client.rec" || fail "$hosting hosting: other keys on the two ($(wc -l "$host_dir/host.rec" "$client_dir/client.rec" 2>&1 | tr "\n" " "); $(cat "$work/host.err" "$work/client.err"))"
    same_dumps "$host_dir/host.json" "$client_dir/client.json" || fail "$hosting hosting: the dumps differ"
    echo "ok: $hosting hosting, $(wc -l <"$host_dir/host.rec") frames, the same dumps"
    rm -f "$work"/*.json "$work"/*.rec "$linux"/*.json "$linux"/*.rec
done
