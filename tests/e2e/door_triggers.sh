#!/bin/bash
# F triggers the blocks whose start lies within reach of the penguin's depth (z only): the first door
# within 100, the switch (and with it the second door) within 80 while the second door is down.
source "$(dirname "$0")/lib/replay.bash"

# Walking 12.9 a frame from z = -3: after 30 frames the penguin stands at z = -390, by the first door.
replay "0 29 W
30 30 F" 31
expect_status 0
check "the first door was triggered (it is never drawn, so it stays moving)" 's["blocks"]["firstDoor"]["moving"] is True'
check "the switch was out of reach" 's["blocks"]["doorSwitch"]["moving"] is False and s["blocks"]["secondDoor"]["moving"] is False'

# After 25 frames the penguin is at z = -325.5, more than 100 from the door at -450: nothing happens.
replay "0 24 W
25 25 F" 26
expect_status 0
check "out of reach of the first door" 's["blocks"]["firstDoor"]["moving"] is False'

# After 66 frames it is at z = -854.4, by the switch at -864: the switch goes in and the door rises.
replay "0 65 W
66 66 F" 68
expect_status 0
check "the switch and the second door move" \
    's["blocks"]["doorSwitch"]["moving"] is True and s["blocks"]["secondDoor"]["moving"] is True and s["blocks"]["secondDoor"]["current"][1] > -40'
check "the first door was out of reach" 's["blocks"]["firstDoor"]["moving"] is False'
