#!/usr/bin/env bash
# The time from the key press of a 200-key paste (Ctrl+V) on quorl-studio's
# timeline to the first frame drawn with the pasted keys, at --scale 0.25 (or
# SCALE): 20 keys on each of 10 tracks, put on the clipboard by xclip, pasted
# at row 600 and undone again, COUNT times (default 10). Measured from the
# moment the key is sent (xdotool, the wall clock) to the frame the studio
# logs for the edit. Under scripts/headless.sh this is software rendering.
# The project is a copy; the source tree is not edited.
#
#   scripts/headless.sh bench/studio-paste.sh [COUNT] [SCALE]
#
# Needs a build in build/ (or QUORL_BUILD) with the studio and its test
# helpers, and xclip.
set -uo pipefail
. "$(dirname "$0")/../tests/studio/lib.sh"

count=${1:-10}
scale=${2:-0.25}
echo "$(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
clip=$work/clip.txt
for track in ftb camera_position:x camera_position:y camera_position:z camera_rotation:x camera_rotation:y \
  camera_rotation:z seagull:x seagull:y seagull:z; do
  echo "track $track"
  for key in $(seq 0 19); do echo "  $((key * 4)) $((key % 5)).5 linear"; done
done > "$clip"
[ "$(grep -c linear "$clip")" -eq 200 ] || fail "the clipboard does not hold 200 keys"

# Row 600, where every pasted key lands on a free row.
start_studio --at "$(awk 'BEGIN { printf "%.6f", 600 * 3 / 35 + 1e-4 }')" --scale "$scale" --paused
wait_for 120 "tracks and shader read" field_is tracks 1
xclip -selection clipboard -i < "$clip"
# xclip takes the clipboard from its background process: wait until it holds it.
wait_for 20 "the keys on the clipboard" clipboard_holds "$(cat "$clip")"
shown() { [ "$(grep -c '^edit-on-screen' "$frames")" -ge "$1" ]; }

times=()
for paste in $(seq "$count"); do
  pressed=$(date +%s.%N)
  xdotool key ctrl+v
  wait_for 30 "the pasted keys on screen" shown $((2 * paste - 1))
  times+=("$(edit_latency "$pressed" $((2 * paste - 1)))")
  sleep 0.5
  xdotool key ctrl+z
  wait_for 30 "the paste undone on screen" shown $((2 * paste))
  sleep 0.5
done
printf '%s\n' "${times[@]}" | latency_summary "--scale $scale, Ctrl+V of 200 keys to the first frame with them" pastes
xdotool key Escape
stop_studio
