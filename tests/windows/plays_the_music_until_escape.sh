#!/usr/bin/env bash
# quorl.exe under Wine plays its embedded music from the start, in order and
# without a break, through the harness's paced sound device (a bare null
# device would let it run fast), and Escape then ends it at once, with status
# 0 and the usual shutdown. The picture is switched off (Mesa's no-op driver),
# so that frames come as often as on a GPU: on the software renderer a frame
# takes longer than the music's buffers last, and the frame in progress would
# take seconds to finish before the key is read.
. "$(dirname "$0")/lib.sh"

RECORDING=${QUORL_RECORDING:?QUORL_RECORDING must name the file that the harness records into}
rm -f "$RECORDING"

GALLIUM_NOOP=1 start_demo
"$QUORL_MUSIC_CHECK" "$RECORDING" 5 30 || fail "the recording is not the demo's music (see above)"
ends_on_escape 5
