# Shared by the tests that play quorl.exe under Wine on the headless harness:
# those of tests/e2e/lib.sh (QUORL names quorl.exe here), and the demo started
# through scripts/wine.sh.
. "$(dirname "$0")/../e2e/lib.sh"

WINE=${QUORL_WINE:?QUORL_WINE must name scripts/wine.sh}

# Starts quorl.exe under Wine in the background, its output in $log; its
# process is $pid.
start_demo() {
  "$WINE" "$QUORL" >"$log" 2>&1 &
  pid=$!
}
