#!/usr/bin/env bash
# Minimised at about 10 s and restored 3 s later (a full-screen window is
# minimised when it loses the focus, as on Alt-Tab), the demo pauses its music
# with its picture and goes on with both together: the music has a pause, and
# the frames after it are in step with it. A window manager (openbox) does the
# minimising, as on a desktop. Picture switched off, as in runs_to_its_end.sh.
. "$(dirname "$0")/lib.sh"

RECORDING=${QUORL_RECORDING:?QUORL_RECORDING must name the file that the harness records into}
frames=$(mktemp)
manager=
trap 'rm -f "$log" "$frames"; [ -n "$manager" ] && kill "$manager" 2>/dev/null' EXIT

openbox --sm-disable >/dev/null 2>&1 &
manager=$!
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done

QUORL_FRAME_CLOCK_LOG=$frames LD_PRELOAD=$QUORL_FRAME_CLOCK_PROBE GALLIUM_NOOP=1 "$QUORL" >"$log" 2>&1 &
pid=$!
wait_for_window 30 || fail "no window titled Quorl appeared"
window=$(xdotool search --name '^Quorl$' | head -n 1)
sleep 10
xdotool windowminimize "$window"
sleep 3
xwininfo -id "$window" | grep -q "Map State: IsUnMapped" || fail "the window was not minimised"
xdotool windowactivate "$window"
sleep 3
ends_on_escape 5
wait_until_quiet "$RECORDING"
"$QUORL_SYNC_CHECK" "$RECORDING" "$frames" "$QUORL_IN_STEP_SECONDS" pause ||
  fail "the picture and the music did not pause and go on together"
