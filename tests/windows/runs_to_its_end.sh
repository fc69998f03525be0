#!/usr/bin/env bash
# quorl.exe under Wine shows a full-screen 1920x1080 window, ends by itself
# when the music heard reaches 68.571 s (to within QUORL_END_SECONDS: the
# harness's sound device notes when it took each period of the music, and the
# log when the window closed), and exits with status 0, after the window has closed
# releasing the music and the audio device. Each line of the log is timed as
# it comes. The picture is switched off (Mesa's no-op driver): a frame of the
# software renderer takes seconds, and the last one would blur the end.
. "$(dirname "$0")/lib.sh"

RECORDING=${QUORL_RECORDING:?QUORL_RECORDING must name the file that the harness records into}
timed_log=$(mktemp) exit_status=$(mktemp) end=$(mktemp)
trap 'rm -f "$log" "$timed_log" "$exit_status" "$end"' EXIT

launched=$EPOCHREALTIME
{ GALLIUM_NOOP=1 "$WINE" "$QUORL"; echo $? >"$exit_status"; } 2>&1 | while IFS= read -r line; do
  printf '%s %s\n' "$EPOCHREALTIME" "$line"
done >"$timed_log" &
pid=$!
wait_for_window 60 || fail "no window titled Quorl appeared"
echo "window shown $(seconds_since "$launched") s after the start"
geometry=$(xwininfo -name Quorl)
for line in "Absolute upper-left X:  0" "Absolute upper-left Y:  0" "Width: 1920" "Height: 1080"; do
  grep -q -F "$line" <<<"$geometry" || fail "window is not full screen at 1920x1080 (missing '$line'): $geometry"
done

wait "$pid"
status=$(cat "$exit_status")
echo "exit $(seconds_since "$launched") s after the start"
cut -d' ' -f2- "$timed_log" | tr -d '\r' >"$log"
[ "$status" -eq 0 ] || fail "exit status $status"
closed=$(awk '/Window closed successfully/ { print $1; exit }' "$timed_log")
[ -n "$closed" ] || fail "no line on the closed window"
# The window closes at the first frame whose clock reads 68.571 s.
echo "$closed 68.5714" >"$end"
wait_until_quiet "$RECORDING"
"$QUORL_SYNC_CHECK" "$RECORDING" "$end" "$QUORL_END_SECONDS" || fail "the end did not come with the music's 68.571 s"

in_order "Window closed successfully" "AUDIO: Device closed successfully" ||
  fail "the audio device was not closed after the window"
in_order "Window closed successfully" "STREAM: Unloaded audio stream data" ||
  fail "the music was not unloaded after the window closed"
echo "PASS"
