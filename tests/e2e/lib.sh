# Shared by the end-to-end tests: each runs build/quorl under the headless
# harness (the test itself is started by scripts/headless.sh) and checks what
# a user would see. QUORL is the executable under test.
set -uo pipefail

QUORL=${QUORL:?QUORL must name the demo executable}
log=$(mktemp)
trap 'rm -f "$log"' EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- demo output (last 30 lines) ---" >&2
  tail -n 30 "$log" >&2
  exit 1
}

# True when the log has line $1 before line $2 (fixed strings).
in_order() {
  local first second
  first=$(grep -n -F -m1 -- "$1" "$log" | cut -d: -f1)
  second=$(grep -n -F -- "$2" "$log" | tail -n 1 | cut -d: -f1)
  [ -n "$first" ] && [ -n "$second" ] && [ "$first" -lt "$second" ]
}

# Waits up to $1 seconds for the demo's window to be mapped.
wait_for_window() {
  local deadline=$((SECONDS + $1))
  while [ $SECONDS -lt $deadline ]; do
    xwininfo -name Quorl 2>/dev/null | grep -q "Map State: IsViewable" && return 0
    sleep 0.2
  done
  return 1
}
