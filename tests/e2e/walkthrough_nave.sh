#!/bin/bash
# W alone for 61 frames carries the view point 61 x 12.9 units down the nave's centre line, through
# the archway to the switch zone, touching nothing: any contact would have turned a step round.
source "$(dirname "$0")/lib/walkthrough.bash"

walk nave 61
expect_status 0
check "61 frames ran" 's["frames"] == 61'
check "view point in the switch zone, no step turned round" \
    'abs(s["camera"]["viewPoint"][2] - (-3 - 61 * 12.9)) < 0.01 and -944 <= s["camera"]["viewPoint"][2] <= -784'
check "still on the centre line" 's["camera"]["viewPoint"][0] == 0'
check "no contact" 's["collided"] is False'
check "doors at rest" 's["blocks"]["secondDoor"]["current"][1] == -40 and s["blocks"]["secondDoor"]["moving"] is False'

# The start view as a player sees it: the penguin's dark back in the lower middle of the frame, the
# red brick of the nave above and around it.
printf 'Ancho=800\nAlto=600\nBits=32\nFullscreen=0\n' >"$run_dir/scr.txt"
walk nave 2 --screenshot start.png
expect_status 0
mean() { convert "$run_dir/start.png" -crop "$1" +repage -format "%[fx:mean.$2]" info:; }
python3 - "$(mean 120x120+340+440 r)" "$(mean 800x150+0+0 r)" "$(mean 800x150+0+0 b)" <<'PY'
import sys
penguin, top_red, top_blue = map(float, sys.argv[1:])
assert penguin < 0.25, f"lower middle not dark (penguin): red {penguin}"
assert top_red > top_blue + 0.1, f"upper frame not brick red: red {top_red} blue {top_blue}"
print("ok: penguin in the lower middle, brick above")
PY
