#!/usr/bin/env bash
# quorl.exe under Wine shows a full-screen 1920x1080 window, ends by itself
# when the music heard reaches 68.571 s, and exits with status 0, after the
# window has closed releasing the music and the audio device. Every frame is
# in step with the music from the first to the last, as on Linux
# (tests/e2e/runs_to_its_end.sh): the probe preloaded into Wine notes each
# frame's clock reading, the harness's sound device what it took when. The
# picture is switched off (Mesa's no-op driver): a frame of the software
# renderer takes seconds; frames then come as fast as on a GPU.
. "$(dirname "$0")/lib.sh"

RECORDING=${QUORL_RECORDING:?QUORL_RECORDING must name the file that the harness records into}
frames=$(mktemp)
trap 'rm -f "$log" "$frames"' EXIT

launched=$EPOCHREALTIME
QUORL_FRAME_CLOCK_LOG=$frames LD_PRELOAD=$QUORL_FRAME_CLOCK_PROBE GALLIUM_NOOP=1 start_demo
wait_for_window 60 || fail "no window titled Quorl appeared"
echo "window shown $(seconds_since "$launched") s after the start"
geometry=$(xwininfo -name Quorl)
for line in "Absolute upper-left X:  0" "Absolute upper-left Y:  0" "Width: 1920" "Height: 1080"; do
  grep -q -F "$line" <<<"$geometry" || fail "window is not full screen at 1920x1080 (missing '$line'): $geometry"
done

wait "$pid"
status=$?
echo "exit $(seconds_since "$launched") s after the start"
tr -d '\r' <"$log" >"$log.lines" && mv "$log.lines" "$log"
[ "$status" -eq 0 ] || fail "exit status $status"
in_order "Window closed successfully" "AUDIO: Device closed successfully" ||
  fail "the audio device was not closed after the window"
in_order "Window closed successfully" "STREAM: Unloaded audio stream data" ||
  fail "the music was not unloaded after the window closed"
wait_until_quiet "$RECORDING"
"$QUORL_SYNC_CHECK" "$RECORDING" "$frames" "$QUORL_IN_STEP_SECONDS" || fail "the picture is not in step with the music"
echo "PASS"
