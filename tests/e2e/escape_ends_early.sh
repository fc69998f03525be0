#!/usr/bin/env bash
# Escape ends the demo at once, with status 0 and the usual shutdown.
. "$(dirname "$0")/lib.sh"

"$QUORL" >"$log" 2>&1 &
pid=$!
wait_for_picture 90 || fail "no window titled Quorl showed a picture"
start=$SECONDS
xdotool key Escape
for _ in $(seq 200); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  kill "$pid"
  fail "still running 20 s after Escape"
fi
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status after Escape"
grep -q -F "AUDIO: Device closed successfully" "$log" || fail "the audio device was not closed"
grep -q -F "Window closed successfully" "$log" || fail "the window was not closed"
echo "PASS: ended $((SECONDS - start)) s after Escape"
