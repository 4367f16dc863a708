#!/bin/bash
# W held for ten frames moves eye and view point 10 x 12.9 = 129 units along -z, heights unchanged.
source "$(dirname "$0")/lib/replay.bash"

replay "0 9 W" 12
expect_status 0
check "twelve frames ran" 's["frames"] == 12'
check "view point 129 units along -z" 'abs(s["camera"]["viewPoint"][2] - (-3 - 129)) < 1e-3'
check "eye 129 units along -z" 'abs(s["camera"]["position"][2] - (40 - 129)) < 1e-3'
check "no sideways drift" 's["camera"]["viewPoint"][0] == 0 and s["camera"]["position"][0] == 0'
check "heights unchanged" 's["camera"]["viewPoint"][1] == 0 and s["camera"]["position"][1] == 10'
check "the penguin stands under the view point" 's["penguin"] == [0, 0, s["camera"]["viewPoint"][2]]'

# S undoes W, and A after D comes back (the strafe exists from the second frame on).
replay "0 4 W
5 9 S
10 12 D
13 15 A" 16
expect_status 0
check "back at the start" 'all(abs(a - b) < 1e-3 for a, b in zip(s["camera"]["position"], [0, 10, 40]))'
