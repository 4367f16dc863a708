#!/bin/bash
# Escape ends the program with exit code 0 at the next turn of the main loop, even with every other
# key held.
source "$(dirname "$0")/lib/replay.bash"

replay "3 1000 ESCAPE+W+A+S+D+LEFT+RIGHT+SPACE+F" 500
expect_status 0
check "ended in the frame Escape was held" 's["frames"] == 3'

replay "0 0 ESCAPE" 500
expect_status 0
check "no frame completed" 's["frames"] == 0'
check "the blocks are at rest where the start-up placed them" \
    's["blocks"]["secondDoor"] == {"current": [-110, -40, -870], "moving": False} and s["blocks"]["doorSwitch"]["current"] == [-150, -10, -864]'
