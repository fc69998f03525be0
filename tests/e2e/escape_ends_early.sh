#!/usr/bin/env bash
# Escape ends the demo at once, with status 0 and the usual shutdown.
. "$(dirname "$0")/lib.sh"

"$QUORL" >"$log" 2>&1 &
pid=$!
wait_for_picture 90 || fail "no window titled Quorl showed a picture"
ends_on_escape 20
