#!/bin/bash
# Left and Right held in the same frames cancel; the view point never moves while turning.
source "$(dirname "$0")/lib/replay.bash"

replay "0 9 LEFT+RIGHT" 10
expect_status 0
check "eye back at the start" 'all(abs(a - b) < 1e-3 for a, b in zip(s["camera"]["position"], [0, 10, 40]))'
check "view point unmoved" 's["camera"]["viewPoint"] == [0, 0, -3]'

# Ten frames of Left turn the eye one radian around the view point; ten of Right bring it back.
replay "0 9 LEFT" 10
expect_status 0
check "one radian to the left" \
    'abs(s["camera"]["position"][0] - 43 * math.sin(1)) < 1e-3 and abs(s["camera"]["position"][2] - (-3 + 43 * math.cos(1))) < 1e-3'
replay "0 9 LEFT
10 19 RIGHT" 20
expect_status 0
check "turned back" 'all(abs(a - b) < 1e-3 for a, b in zip(s["camera"]["position"], [0, 10, 40]))'
