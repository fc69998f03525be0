#!/usr/bin/env bash
# Without a display the demo ends abnormally, and the exception says why.
. "$(dirname "$0")/lib.sh"

"$QUORL" >"$log" 2>&1
status=$?
[ "$status" -ne 0 ] || fail "exit status 0 without a display"
grep -q -F "Failed to create Window" "$log" || fail "the error does not say 'Failed to create Window'"
grep -q -F "RaylibException" "$log" || fail "the error is not a RaylibException"
echo "PASS: status $status"
