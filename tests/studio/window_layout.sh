#!/usr/bin/env bash
# The window: resizable, the frame kept at 16:9 with black bars whatever its
# shape, Tab taking the timeline away and back, F11 filling the monitor and
# giving the window back.
. "$(dirname "$0")/lib.sh"

start_studio --at 40 --scale 0.1 --paused --window 1000x700
window=$(xdotool search --name '^quorl-studio$' | head -n 1)
# Succeeds once the layout logged is frame $1 and timeline $2 (X,Y,W,H).
layout_is() { [ "$(grep '^layout' "$frames" | tail -n 1)" = "layout frame=$1 timeline=$2" ]; }

# 1000x700 less the timeline's 315 rows (its 45%): 385 high, so 684 wide and bars aside.
wait_for 20 "the first layout" layout_is 158,0,684,385 0,385,1000,315
xdotool key Tab
wait_for 20 "the timeline hidden" layout_is 0,69,1000,562 0,700,1000,0
screenshot without_timeline
read -r red green blue < <(mean_colour without_timeline 0 0 1000 69)
[ "$red $green $blue" = "0.0 0.0 0.0" ] || fail "the bar above the frame is not black: $red $green $blue"
read -r red green blue < <(mean_colour without_timeline 0 69 1000 562)
above "$blue" 20 || fail "no picture in the frame: $red $green $blue"

xdotool windowsize "$window" 1200 400
wait_for 20 "the frame fitted to the new shape" layout_is 244,0,711,400 0,400,1200,0
xdotool key Tab
# The panel takes at most 45% of a low window: 180 of 400 rows.
wait_for 20 "the timeline back" layout_is 404,0,391,220 0,220,1200,180

# The harness's monitor is 1920x1080.
xdotool key F11
wait_for 20 "the window filling the monitor" layout_is 308,0,1304,734 0,734,1920,346
xdotool key F11
wait_for 20 "the window given back" layout_is 404,0,391,220 0,220,1200,180
stop_studio
echo "PASS"
