#!/usr/bin/env bash
# The demo plays for 68.571 s in a full-screen 1920x1080 window titled "Quorl",
# ends by itself with status 0, and after the window has closed still releases
# the music and the audio device, but no GPU object (their context is gone).
# Every frame is in step with the music from the first to the last: the probe
# notes each frame's clock reading, the harness's sound device what it took
# when, and the check finds the music heard at each frame.
# The picture is switched off (Mesa's no-op driver): a frame of the software
# renderer takes seconds, and the last one would blur the length measured here;
# frames then come as fast as on a GPU.
. "$(dirname "$0")/lib.sh"

RECORDING=${QUORL_RECORDING:?QUORL_RECORDING must name the file that the harness records into}
frames=$(mktemp)
trap 'rm -f "$log" "$frames"' EXIT

start=$(date +%s.%N)
QUORL_FRAME_CLOCK_LOG=$frames LD_PRELOAD=$QUORL_FRAME_CLOCK_PROBE GALLIUM_NOOP=1 "$QUORL" >"$log" 2>&1 &
pid=$!

wait_for_window 30 || fail "no window titled Quorl appeared"
geometry=$(xwininfo -name Quorl)
for line in "Absolute upper-left X:  0" "Absolute upper-left Y:  0" "Width: 1920" "Height: 1080" \
            "Override Redirect State: yes"; do
  grep -q -F "$line" <<<"$geometry" || fail "window is not full screen at 1920x1080 (missing '$line'): $geometry"
done

wait "$pid"
status=$?
elapsed=$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "%.2f", e - s }')
[ "$status" -eq 0 ] || fail "exit status $status"
echo "ran for $elapsed s"
awk -v t="$elapsed" 'BEGIN { exit !(t > 68.5 && t < 80) }' || fail "ran for $elapsed s instead of about 68.6 s"

in_order "Window closed successfully" "AUDIO: Device closed successfully" ||
  fail "the audio device was not closed after the window"
in_order "Window closed successfully" "STREAM: Unloaded audio stream data" ||
  fail "the music was not unloaded after the window closed"
closed_at=$(grep -n -F -m1 "Window closed successfully" "$log" | cut -d: -f1)
if tail -n +"$closed_at" "$log" | grep -E "FBO: .* Unloaded|SHADER: .* Program shader unloaded|Unloaded render texture"; then
  fail "GPU objects were released after their context was gone"
fi
# The sound device's card may still be playing what it was given.
wait_until_quiet "$RECORDING"
"$QUORL_SYNC_CHECK" "$RECORDING" "$frames" "$QUORL_IN_STEP_SECONDS" || fail "the picture is not in step with the music"
echo "PASS"
