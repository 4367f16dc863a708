#!/bin/bash
# Backed into a wall, the rules' eye stands outside the church; the drawn eye stays inside and the
# penguin stays in the picture: the screenshot shows no black space beyond the walls (the clear
# colour; a few pixels of the penguin's pupils are as black), and the penguin's dark body is at
# its centre. The rules' state is the recorded one.
source "$(dirname "$0")/lib/walkthrough.bash"

# picture_inside DESCRIPTION: the screenshot has hardly a pixel of the clear colour (under 1%) and
# the penguin at its centre.
picture_inside() {
    local black centre
    black=$(convert "$run_dir/shot.png" -fill white +opaque black -fill black -opaque black -negate \
        -format '%[fx:round(mean*w*h)]' info:)
    centre=$(convert "$run_dir/shot.png" -format '%[fx:int(255*p{80,60}.r)] %[fx:int(255*p{80,60}.g)] %[fx:int(255*p{80,60}.b)]' info:)
    read -r r g b <<<"$centre"
    if ((black * 100 >= 160 * 120 || r > 70 || g > 70 || b > 80)); then
        echo "FAILED: $1: $black black pixels, centre $centre" >&2
        exit 1
    fi
    echo "ok: $1: inside, the penguin at the centre ($centre)"
}

# The issue's reproducer: backing into the west wall, then a small turn.
walk backed 24 --screenshot shot.png
expect_status 0
check "the rules' eye is outside the west wall" 's["camera"]["position"][2] > 170'
picture_inside "backed into the west wall and turned"

# Backing into the right aisle's outer wall after a quarter turn.
replay $'0 2 W\n3 18 LEFT\n19 60 S' 61 --screenshot shot.png
expect_status 0
check "the rules' eye is beyond the aisle wall" 's["camera"]["position"][0] > 240'
picture_inside "backed into the aisle wall"
