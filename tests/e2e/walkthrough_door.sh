#!/bin/bash
# In the switch zone F pushes the switch in and raises the second door 0.8 a frame; it reaches the
# top on its 126th frame and comes back down. With the door up the penguin walks on through the
# doorway into the sanctuary without touching anything.
source "$(dirname "$0")/lib/walkthrough.bash"

walk_traced door 220
expect_status 0

state_at 62
check "F triggered both blocks" \
    's["blocks"]["secondDoor"]["moving"] is True and s["blocks"]["doorSwitch"]["moving"] is True'
check "the door rose one step" 'abs(s["blocks"]["secondDoor"]["current"][1] - (-39.2)) < 1e-4'
check "the switch went in one step" 'abs(s["blocks"]["doorSwitch"]["current"][2] - (-864.5)) < 1e-4'

state_at 131
check "70 steps up, still rising" \
    'abs(s["blocks"]["secondDoor"]["current"][1] - (-40 + 70 * 0.8)) < 0.01 and s["blocks"]["secondDoor"]["moving"] is True'
check "the switch is back out" 's["blocks"]["doorSwitch"]["current"][2] == -864'

state_at 145
check "through the doorway to the altar steps, no step turned round" \
    'abs(s["camera"]["viewPoint"][2] - (-3 - 75 * 12.9)) < 0.01'
check "no contact" 's["collided"] is False'

state_at 220
check "past the top, coming down" \
    's["blocks"]["secondDoor"]["moving"] is False and -40 < s["blocks"]["secondDoor"]["current"][1] < 60'
