#!/usr/bin/env bash
# Escape ends quorl.exe under Wine at once, with status 0 and the usual
# shutdown. The picture is switched off (Mesa's no-op driver), so that frames
# come as often as on a GPU: on the software renderer the frame in progress
# would take seconds to finish before the key is read.
. "$(dirname "$0")/lib.sh"

GALLIUM_NOOP=1 start_demo
wait_for_window 60 || fail "no window titled Quorl appeared"
# The render target is the last thing made before the music starts and the
# frames begin.
for _ in $(seq 300); do
  grep -q -F "Framebuffer object created successfully" "$log" && break
  sleep 0.1
done
sleep 1
pressed=$EPOCHREALTIME
xdotool key Escape
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
if kill -0 "$pid" 2>/dev/null; then
  kill "$pid"
  fail "still running 5 s after Escape"
fi
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status after Escape"
grep -q -F "AUDIO: Device closed successfully" "$log" || fail "the audio device was not closed"
grep -q -F "Window closed successfully" "$log" || fail "the window was not closed"
echo "PASS: ended $(seconds_since "$pressed") s after Escape"
