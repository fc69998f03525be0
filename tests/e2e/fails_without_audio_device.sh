#!/usr/bin/env bash
# Without a usable sound device the demo ends abnormally after the window has
# opened and before anything else is set up, and the exception says why.
. "$(dirname "$0")/lib.sh"

"$QUORL" >"$log" 2>&1
status=$?
[ "$status" -ne 0 ] || fail "exit status 0 without a sound device"
grep -q -F "Failed to initialize AudioDevice" "$log" || fail "the error does not say 'Failed to initialize AudioDevice'"
in_order "DISPLAY: Device initialized successfully" "Failed to initialize AudioDevice" ||
  fail "the window was not opened first"
# raylib's own default shader is the only program; no music, scene or target.
[ "$(grep -c "Program shader loaded successfully" "$log")" -eq 1 ] &&
  ! grep -q -E "FBO: |Music data loaded" "$log" ||
  fail "the music, the scene or the render target was set up although the sound device failed"
echo "PASS: status $status"
