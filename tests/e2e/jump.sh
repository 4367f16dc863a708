#!/bin/bash
# A jump rises 1 a frame to 12 in 12 frames and falls back to 0 twelve frames later; Space held in
# mid-air, on the way up or down, changes nothing.
source "$(dirname "$0")/lib/replay.bash"

script="0 0 SPACE
5 8 SPACE
15 20 SPACE"
replay "$script" 12
expect_status 0
check "top after 12 frames" 's["jumpHeight"] == 12 and s["jumping"] is True'
replay "$script" 18
expect_status 0
check "halfway down" 's["jumpHeight"] == 6 and s["jumping"] is False'
replay "$script" 24
expect_status 0
check "landed 12 frames after the top" 's["jumpHeight"] == 0 and s["jumping"] is False'
check "the camera stays on the ground" 's["camera"]["position"][1] == 10 and s["camera"]["viewPoint"][1] == 0'

# Space held throughout jumps again as soon as the height is back to exactly 0.
replay "0 100 SPACE" 25
expect_status 0
check "second jump under way" 's["jumpHeight"] == 1 and s["jumping"] is True'
