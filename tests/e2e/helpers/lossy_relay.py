#!/usr/bin/env python3
"""A lossy, slow link between the game's peers on this machine, for tests.

    lossy_relay.py LISTEN_PORT HOST_PORT LOSS_PERCENT DELAY_MS SECONDS SEED

Listens on 127.0.0.1:LISTEN_PORT; every datagram a client sends there goes on to the host at
127.0.0.1:HOST_PORT from a socket of that client's own (so the host sees one address per client),
and the host's answers come back the same way. Each datagram, either way, is lost with
LOSS_PERCENT percent chance and otherwise delayed DELAY_MS milliseconds. Ends after SECONDS, or on
SIGTERM, and prints how many datagrams it passed and lost. Sends only to 127.0.0.1.
"""

import heapq
import random
import select
import signal
import socket
import sys
import time

LOOPBACK = "127.0.0.1"


def main():
    listen_port, host_port = int(sys.argv[1]), int(sys.argv[2])
    loss, delay = float(sys.argv[3]) / 100.0, float(sys.argv[4]) / 1000.0
    end = time.monotonic() + float(sys.argv[5])
    chance = random.Random(int(sys.argv[6]))
    front = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    front.bind((LOOPBACK, listen_port))
    backs = {}  # client address -> its socket towards the host
    clients = {}  # socket -> client address
    queue = []  # (due, order, socket, bytes, destination)
    order = 0
    passed = lost = 0
    stopped = []
    signal.signal(signal.SIGTERM, lambda *_: stopped.append(True))
    while time.monotonic() < end and not stopped:
        now = time.monotonic()
        while queue and queue[0][0] <= now:
            _, _, sock, data, destination = heapq.heappop(queue)
            sock.sendto(data, destination)
        timeout = max(0.0, min(0.005, queue[0][0] - now)) if queue else 0.005
        try:
            readable, _, _ = select.select([front, *clients], [], [], timeout)
        except InterruptedError:
            continue
        for sock in readable:
            data, source = sock.recvfrom(2048)
            if sock is front:
                if source not in backs and len(backs) < 8:
                    back = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
                    back.bind((LOOPBACK, 0))
                    backs[source] = back
                    clients[back] = source
                if source not in backs:
                    continue
                out, destination = backs[source], (LOOPBACK, host_port)
            else:
                out, destination = front, clients[sock]
            if chance.random() < loss:
                lost += 1
                continue
            passed += 1
            order += 1
            heapq.heappush(queue, (time.monotonic() + delay, order, out, data, destination))
    print(f"relay: {passed} passed, {lost} lost")


if __name__ == "__main__":
    main()
