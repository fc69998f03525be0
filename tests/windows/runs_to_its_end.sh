#!/usr/bin/env bash
# quorl.exe under Wine shows a full-screen 1920x1080 window, ends by itself
# 68.571 s after its clock started, to within a second, and exits with status
# 0, after the window has closed releasing the music and the audio device.
# The clock starts right after the music is loaded, so the demo's length is
# measured from the line that tells of the music to the one that tells of the
# closed window, each timed as it comes: a busy machine does not blur it.
# The picture is switched off (Mesa's no-op driver): a frame of the software
# renderer takes seconds, and the last one would blur the length measured here.
. "$(dirname "$0")/lib.sh"

timed_log=$(mktemp) exit_status=$(mktemp)
trap 'rm -f "$log" "$timed_log" "$exit_status"' EXIT

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
clock_start=$(awk '/> Total frames:/ { print $1; exit }' "$timed_log")
closed=$(awk '/Window closed successfully/ { print $1; exit }' "$timed_log")
[ -n "$clock_start" ] && [ -n "$closed" ] || fail "no line on the loaded music or the closed window"
length=$(awk -v s="$clock_start" -v e="$closed" 'BEGIN { printf "%.2f", e - s }')
echo "ran for $length s"
awk -v t="$length" 'BEGIN { exit !(t > 68.571 - 1 && t < 68.571 + 1) }' || fail "ran for $length s instead of 68.571 s"

in_order "Window closed successfully" "AUDIO: Device closed successfully" ||
  fail "the audio device was not closed after the window"
in_order "Window closed successfully" "STREAM: Unloaded audio stream data" ||
  fail "the music was not unloaded after the window closed"
echo "PASS"
