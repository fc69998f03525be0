#!/usr/bin/env bash
# quorl-studio's frame rate while playing, at render scales 0.25 and 1 (or
# those given), and the time from saving assets/city.frag to the first frame
# drawn with it, as the studio logs it (from the file's modification time to
# the presented frame). Under scripts/headless.sh this is software rendering.
#
#   scripts/headless.sh bench/studio-frames.sh [SCALE...]
#
# Needs a build in build/ (or QUORL_BUILD) with the studio and its test helpers.
set -uo pipefail
. "$(dirname "$0")/../tests/studio/lib.sh"

scales=("$@")
[ ${#scales[@]} -gt 0 ] || scales=(0.25 1)
shader=$project/assets/city.frag
original=$(cat "$shader")
echo "$(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"

times_logged() { [ "$(grep -c '^shader-on-screen' "$frames")" -ge "$1" ]; }

for scale in "${scales[@]}"; do
  : > "$frames"
    start_studio --at 40 --scale "$scale"
  wait_for 120 "playing frames" field_is playing 1
  # The first frames compile the shader on first use; count from the third.
  wait_for 120 "three frames" frames_since 0 3
  mark=$(log_lines)
  sleep $([ "$scale" = 1 ] && echo 30 || echo 15)
  fps=$(tail -n +"$((mark + 1))" "$frames" | grep '^frame=' |
        awk '{ split($2, w, "="); if (first == "") first = w[2]; last = w[2]; n++ }
             END { if (n > 1) printf "%.2f fps (%d frames in %.1f s)", (n - 1) / (last - first), n, last - first; else print "fewer than two frames" }')
  echo "--scale $scale, playing: $fps"

  # Saves by rename, paused, alternating two versions of the shader.
  xdotool key space
  wait_for 30 "the pause" field_is playing 0
  times=()
  for round in 1 2 3; do
    generation=$(field shader)
    if [ $((round % 2)) -eq 1 ]; then
      save_by_rename city.frag "$(sed 's/^const float GAMMA_EXPONENT = 0.4545;/const float GAMMA_EXPONENT = 0.5;/' <<<"$original")
"
    else
      save_by_rename city.frag "$original
"
    fi
    wait_for 120 "the saved shader on screen" field_is shader $((generation + 1))
    wait_for 30 "its time logged" times_logged "$round"
    times+=("$(grep '^shader-on-screen' "$frames" | sed -n "${round}s/.*ms=//p") ms")
  done
  echo "--scale $scale, saving city.frag to its first frame on screen: ${times[*]}"
  stop_studio
done
