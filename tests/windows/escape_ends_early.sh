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
ends_on_escape 5
