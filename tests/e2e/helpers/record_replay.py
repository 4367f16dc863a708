#!/usr/bin/env python3
"""Turns a networked game's --record file into the offline replay's files, as the README says:
one key script per slot (FOLDER/slotN.keys) and the replay's arguments, printed one a line
(--players, --keys, --join-frame, --leave-frame, --frames).

    record_replay.py RECORD FOLDER
"""
import sys

NAMES = ["LEFT", "RIGHT", "W", "S", "A", "D", "SPACE", "F", "ESCAPE", "UP", "DOWN"]


def main(record, folder):
    lines = [list(map(int, line.split())) for line in open(record) if line.strip()]
    slots = {}
    # A slot a leaver freed goes to the next newcomer: a slot may join and leave several times.
    joins, leaves = {}, {}
    for frame, present, joined, left, *keys in lines:
        for slot in range(4):
            if joined >> slot & 1:
                joins.setdefault(slot, []).append(frame)
            if left >> slot & 1:
                leaves.setdefault(slot, []).append(frame)
            if present >> slot & 1 and keys[slot]:
                held = "+".join(n for bit, n in enumerate(NAMES) if keys[slot] >> bit & 1)
                slots.setdefault(slot, []).append(f"{frame} {frame} {held}")
    players = max(joins) + 1
    args = ["--players", str(players)]
    for slot in range(players):
        path = f"{folder}/slot{slot}.keys"
        with open(path, "w") as out:
            out.write("\n".join(slots.get(slot, [])) + "\n")
        args += ["--keys", path]
        args += [arg for frame in joins.get(slot, []) if frame for arg in ("--join-frame", f"{slot}:{frame}")]
        args += [arg for frame in leaves.get(slot, []) for arg in ("--leave-frame", f"{slot}:{frame}")]
    args += ["--frames", str(lines[-1][0] + 1)]
    print("\n".join(args))


main(*sys.argv[1:])
