#!/usr/bin/env bash
# The demo plays its embedded music from the start, in order and without a
# break, for at least 5 s: the harness's sound device records what it takes,
# and the check follows the recording as it grows. A frame that stops feeding
# the music leaves silence after the first buffers.
#
# The picture is switched off (Mesa's no-op driver), so that frames come as
# often as on a real GPU: on the software renderer a frame takes longer than
# the music's buffers last. Escape ends the demo afterwards.
. "$(dirname "$0")/lib.sh"

RECORDING=${QUORL_RECORDING:?QUORL_RECORDING must name the file that the harness records into}
rm -f "$RECORDING"

GALLIUM_NOOP=1 "$QUORL" >"$log" 2>&1 &
pid=$!
"$QUORL_MUSIC_CHECK" "$RECORDING" 5 30
checked=$?
xdotool key Escape
wait "$pid"
status=$?
[ "$checked" -eq 0 ] || fail "the recording is not the demo's music (see above)"
[ "$status" -eq 0 ] || fail "exit status $status after Escape"
echo "PASS"
