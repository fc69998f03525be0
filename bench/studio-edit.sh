#!/usr/bin/env bash
# The time from releasing a dragged key on quorl-studio's timeline to the
# first frame drawn with the moved key, at --scale 0.25 (or SCALE): measured
# from the moment the button is released (xdotool, the wall clock) to the
# frame the studio logs for it, over COUNT drags (default 10) of a key of
# camera_rotation:z a beat later and back. Under scripts/headless.sh this is
# software rendering. The project is a copy; the source tree is not edited.
#
#   scripts/headless.sh bench/studio-edit.sh [COUNT] [SCALE]
#
# Needs a build in build/ (or QUORL_BUILD) with the studio and its test helpers.
set -uo pipefail
. "$(dirname "$0")/../tests/studio/lib.sh"

count=${1:-10}
scale=${2:-0.25}
tracks=$project/assets/tracks.txt
echo "$(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
lanes=$(grep -c '^track ' "$tracks")
lane=$(($(grep '^track ' "$tracks" | grep -n '^track camera_rotation:z$' | cut -d: -f1) - 1))

# Row 450: the key at 448 (value 0, the lane's lowest) shows as it moves.
start_studio --at 38.6 --scale "$scale" --paused
wait_for 120 "tracks and shader read" field_is tracks 1
window=$(xdotool search --name '^quorl-studio$' | head -n 1)
read_timeline
key_y=$(awk -v t="$(lane_top "$lane" "$lanes")" -v h="$(lane_height "$lanes")" 'BEGIN { printf "%d", t + h * 0.85 }')
shown() { [ "$(grep -c '^edit-on-screen' "$frames")" -ge "$1" ]; }

times=()
row=448
for drag in $(seq "$count"); do
  to=$((drag % 2 == 1 ? 452 : 448))
  xdotool mousemove --window "$window" "$(row_x "$row")" "$key_y" mousedown 1
  xdotool mousemove --window "$window" "$(row_x "$to")" "$key_y"
  sleep 0.5
  released=$(date +%s.%N)
  xdotool mouseup 1
  wait_for 30 "the moved key on screen" shown "$drag"
  times+=("$(edit_latency "$released" "$drag")")
  row=$to
  sleep 0.5
done
printf '%s\n' "${times[@]}" | latency_summary "--scale $scale, release to the first frame with the key moved" drags
xdotool key Escape
stop_studio
