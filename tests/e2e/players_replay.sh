#!/bin/bash
# Several players replayed by the game: --players N with a key script per slot, --view, and a slot
# that joins and leaves part-way. The dump's "players" array holds every slot; with one player the
# dump has none (walkthrough_states.sh holds it to its recorded bytes).
source "$(dirname "$0")/lib/walkthrough.bash"

printf '0 19 S\n' >"$run_dir/p1.keys"
printf '0 19 A\n' >"$run_dir/p2.keys"
printf '0 19 SPACE\n' >"$run_dir/p3.keys"
replay "0 19 W" 20 --players 4 --keys p1.keys --keys p2.keys --keys p3.keys --view 2 \
    --join-frame 3:5 --leave-frame 3:15
expect_status 0
check "four slots in the dump" 'len(s["players"]) == 4 and [p["slot"] for p in s["players"]] == [0, 1, 2, 3]'
check "slot 0's own fields at the top" 's["penguin"] == s["players"][0]["penguin"]'
check "slot 0 walked on, slot 1 back, slot 2 aside" \
    's["players"][0]["penguin"][2] < -200 and s["players"][1]["penguin"][2] > 100 and s["players"][2]["penguin"][0] < -60'
check "slot 3 joined and left" 's["players"][3] == {"slot": 3, "present": False}'

replay "0 19 W" 20 --players 2
expect_status 2
replay "0 19 W" 20 --players 2 --keys p1.keys --view 2
expect_status 2
echo "ok"
